#include "settings/PatternListBox.h"

#include <QResizeEvent>

namespace {

constexpr int Columns = 5;
constexpr int RowHeight = 16;

} // namespace

PatternListBox::PatternListBox(QWidget* parent)
    : QListWidget(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void PatternListBox::addPattern(const QString& text)
{
    int lo = 0, hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (m_collator.compare(text, item(mid)->text()) < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    auto* entry = new QListWidgetItem(text);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
    insertItem(lo, entry);
}

void PatternListBox::setPatterns(const QStringList& texts)
{
    clear();
    for (const QString& t : texts)
        addPattern(t);
}

QStringList PatternListBox::patterns() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

QStringList PatternListBox::checkedPatterns() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        if (item(i)->checkState() == Qt::Checked)
            out << item(i)->text();
    return out;
}

void PatternListBox::setAllChecked(bool checked)
{
    for (int i = 0; i < count(); ++i)
        item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void PatternListBox::removeChecked()
{
    for (int i = count() - 1; i >= 0; --i)
        if (item(i)->checkState() == Qt::Checked)
            delete takeItem(i);
}

void PatternListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    setGridSize(QSize(viewport()->width() / Columns, RowHeight));
}
