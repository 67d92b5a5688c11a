#pragma once

#include <QCollator>
#include <QListWidget>

// A check list of search patterns in five columns, kept in the user's
// alphabetical order without regard to case.
class PatternListBox : public QListWidget {
    Q_OBJECT
public:
    explicit PatternListBox(QWidget* parent = nullptr);

    // At its sorted place (after equal entries), unchecked.
    void addPattern(const QString& text);
    // Replaces every entry; all unchecked.
    void setPatterns(const QStringList& texts);
    QStringList patterns() const;
    QStringList checkedPatterns() const;
    void setAllChecked(bool checked);
    // Removes the checked entries, from the last to the first.
    void removeChecked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QCollator m_collator;
};
