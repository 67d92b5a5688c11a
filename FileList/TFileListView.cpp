#include "FileList/TFileListView.h"

#include "platform/DateTimeFormats.h"
#include "platform/FileAttributes.h"

#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace {

// Letters a to z fold to upper case; everything else compares by code.
int compareNoCase(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t ca = a[i].unicode(), cb = b[i].unicode();
        if (ca >= u'a' && ca <= u'z')
            ca -= 32;
        if (cb >= u'a' && cb <= u'z')
            cb -= 32;
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

template <typename T> int sign(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

// Blanks and control characters, as a classic Trim removes them.
QString trimControls(const QString& s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && s[from].unicode() <= u' ')
        ++from;
    while (to > from && s[to - 1].unicode() <= u' ')
        --to;
    return s.mid(from, to - from);
}

} // namespace

TFileListView::TFileListView(QWidget* owner)
    : QTreeView(owner)
    , m_model(new FileListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setTextElideMode(Qt::ElideMiddle);
    // The selection stays visible while another control has the focus.
    QPalette p = palette();
    p.setBrush(QPalette::Inactive, QPalette::Highlight,
               p.brush(QPalette::Active, QPalette::Highlight));
    p.setBrush(QPalette::Inactive, QPalette::HighlightedText,
               p.brush(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    connect(header(), &QHeaderView::sectionClicked, this, &TFileListView::ColumnClicked);
    m_model->setVersionReader([this](const QByteArray& path) { return readVersions(path); });

    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &TFileListView::flushPendingWork);

    DateTimeFormats::install(QStringLiteral("dd/mm/yyyy"), QStringLiteral("hh:nn"));
}

QString TFileListView::attributeText(quint32 attributes)
{
    QString t(4, u' ');
    if (attributes & FileAttributes::ReadOnly)
        t[0] = u'R';
    if (attributes & FileAttributes::Hidden)
        t[1] = u'H';
    if (attributes & FileAttributes::System)
        t[2] = u'S';
    if (attributes & FileAttributes::Archive)
        t[3] = u'A';
    return t;
}

bool TFileListView::AddFile(const QString& path, qint64& size)
{
    return AddFile(QFile::encodeName(path), size);
}

bool TFileListView::AddFile(const QByteArray& path, qint64& size)
{
    const auto entry = m_entries.lookup(path);
    if (!entry)
        return false;
    const QString typeName = m_typeNames.forName(QFile::decodeName(entry->name));

    beginUpdate();
    FileListRow row(QFile::decodeName(path),
                    {QString::number(entry->size), trimControls(typeName.left(80)),
                     DateTimeFormats::fileTimeText(entry->lastWrite),
                     attributeText(entry->attributes), QString(), QString()},
                    path);
    row.versionsPending = true;
    m_model->appendRow(std::move(row));
    endUpdate();

    size = entry->size;
    return true;
}

// The version resource is read once for both strings.
QStringList TFileListView::readVersions(const QByteArray& path)
{
    m_versionPath = path;
    m_version.reset();
    QStringList v{ReadVersionString(QStringLiteral("FileVersion")),
                  ReadVersionString(QStringLiteral("ProductVersion"))};
    m_version.reset();
    return v;
}

QString TFileListView::ReadVersionString(const QString& name)
{
    if (!m_version)
        m_version = VersionResource::fromFile(m_versionPath);
    return m_version->versionString(name);
}

int TFileListView::CompareRows(const FileListRow& first, const FileListRow& second) const
{
    int c = 0;
    switch (SortColumn) {
    case 0:
        c = compareNoCase(first.caption, second.caption);
        break;
    case 1:
        c = sign(first.sizeKey, second.sizeKey);
        break;
    case 3:
        c = sign(first.dateKey, second.dateKey);
        break;
    default: {
        const int i = SortColumn - 1;
        if (i >= 0 && i < first.subItems.size() && i < second.subItems.size())
            c = compareNoCase(first.subItems[i], second.subItems[i]);
    }
    }
    return SortAscending ? c : -c;
}

void TFileListView::ColumnClicked(int column)
{
    flushSort();
    if (column == SortColumn) {
        SortAscending = !SortAscending;
    } else {
        SortColumn = column;
        SortAscending = true;
    }
    sortAll();
    if (m_updateDepth > 0)
        m_savedSortType = stNone;
    else
        m_sortType = stNone;
}

TFileListView::SortType TFileListView::sortType() const
{
    return m_sortType;
}

void TFileListView::setSortType(SortType type)
{
    if (m_updateDepth > 0) {
        m_savedSortType = type;
        return;
    }
    flushSort();
    if (type == m_sortType)
        return;
    m_sortType = type;
    if (type != stNone)
        sortAll();
}

void TFileListView::beginUpdate()
{
    if (m_updateDepth++ == 0) {
        m_savedSortType = m_sortType;
        m_sortType = stNone;
    }
}

void TFileListView::endUpdate()
{
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    m_sortType = m_savedSortType;
    if (m_sortType != stNone)
        requestSort();
    m_columnsDirty = true;
    m_flushTimer.start();
}

void TFileListView::requestSort()
{
    m_sortPending = true;
    m_flushTimer.start();
}

void TFileListView::flushSort() const
{
    if (!m_sortPending)
        return;
    m_sortPending = false;
    const std::pair<int, bool> criteria{SortColumn, SortAscending};
    const int prefix = criteria == m_sortedBy ? std::min(m_sortedCount, count()) : 0;
    if (SortColumn - 1 >= FileListRow::FileVersionItem)
        m_model->resolveAllVersions();
    m_model->sortRows(
        [this](const FileListRow& a, const FileListRow& b) { return CompareRows(a, b); }, prefix);
    m_sortedCount = m_model->rowCount();
    m_sortedBy = criteria;
}

void TFileListView::sortAll()
{
    m_sortPending = true;
    flushSort();
}

void TFileListView::flushPendingWork()
{
    flushSort();
    if (m_columnsDirty)
        fitColumns();
}

// Every column but the last fits its header and contents; the last one takes
// the remaining width.
void TFileListView::fitColumns()
{
    m_columnsDirty = false;
    for (int i = 0; i + 1 < columnCount(); ++i)
        resizeColumnToContents(i);
}

void TFileListView::addColumn(const QString& caption, Qt::Alignment alignment)
{
    m_model->addColumn(caption, alignment);
    m_columnsDirty = true;
    m_flushTimer.start();
}

int TFileListView::columnCount() const
{
    return m_model->columnCount();
}

QString TFileListView::columnCaption(int column) const
{
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void TFileListView::addDefaultColumns()
{
    addColumn(QStringLiteral("Name"));
    addColumn(QStringLiteral("Size"), Qt::AlignRight);
    addColumn(QStringLiteral("Type"));
    addColumn(QStringLiteral("Modified"));
    addColumn(QStringLiteral("Attr"), Qt::AlignRight);
    addColumn(QStringLiteral("File Ver"), Qt::AlignRight);
    addColumn(QStringLiteral("Prod Ver"), Qt::AlignRight);
}

void TFileListView::showEvent(QShowEvent* event)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    if (columnCount() == 0)
        addDefaultColumns();
    QTreeView::showEvent(event);
    flushPendingWork();
}

void TFileListView::paintEvent(QPaintEvent* event)
{
    flushSort();
    QTreeView::paintEvent(event);
}

int TFileListView::count() const
{
    return m_model->rowCount();
}

QString TFileListView::caption(int row) const
{
    flushSort();
    return m_model->row(row).caption;
}

QStringList TFileListView::subItems(int row) const
{
    flushSort();
    return m_model->resolvedRow(row).subItems;
}

QByteArray TFileListView::filePath(int row) const
{
    flushSort();
    return m_model->row(row).path();
}

qint64 TFileListView::sizeOf(int row) const
{
    flushSort();
    return m_model->row(row).sizeKey;
}

bool TFileListView::isSelected(int row) const
{
    flushSort();
    return selectionModel()->isRowSelected(row, QModelIndex());
}

void TFileListView::setSelected(int row, bool selected)
{
    flushSort();
    const auto flags = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                       QItemSelectionModel::Rows;
    selectionModel()->select(m_model->index(row, 0), flags);
}

void TFileListView::addRow(const QString& caption, const QStringList& subItems,
                           const QByteArray& rawPath)
{
    beginUpdate();
    m_model->appendRow(FileListRow(caption, subItems, rawPath));
    endUpdate();
}

void TFileListView::setRowTexts(int row, const QString& caption, const QStringList& subItems)
{
    flushSort();
    m_model->replaceRow(row, FileListRow(caption, subItems));
    m_sortedCount = 0;
    if (m_sortType == stText || m_sortType == stBoth)
        requestSort();
}

void TFileListView::removeRow(int row)
{
    flushSort();
    m_model->removeRowAt(row);
    if (row < m_sortedCount)
        --m_sortedCount;
}

void TFileListView::removeRows(QList<int> rows)
{
    flushSort();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int sortedBefore = m_sortedCount;
    m_model->removeRowsAt(rows);
    m_sortedCount = sortedBefore - int(std::count_if(rows.begin(), rows.end(),
                                                     [&](int r) { return r < sortedBefore; }));
}

QList<int> TFileListView::selectedRows() const
{
    flushSort();
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFileListView::clear()
{
    m_sortPending = false;
    m_model->clearRows();
    m_sortedCount = 0;
}
