#pragma once

#include "FileList/FileListModel.h"
#include "platform/EntryReader.h"
#include "platform/FileTypeNames.h"
#include "platform/VersionResource.h"

#include <QTimer>
#include <QTreeView>
#include <optional>

// The result list: one row per file with its path, size, type name, date,
// attributes and version strings, sorted by header clicks.
//
// Sorting follows the classic list view: in stData/stText/stBoth a change of
// mode sorts at once, and closing the outermost update block restores the
// saved mode, which re-sorts. That re-sort is deferred until the rows are
// next read, painted or the event loop runs, so that filling a sorted list
// costs one merge per batch rather than one full sort per row; the order seen
// is always the one a sort after every row would have given.
class TFileListView : public QTreeView {
    Q_OBJECT
public:
    enum SortType { stNone, stData, stText, stBoth };

    explicit TFileListView(QWidget* owner = nullptr);

    int SortColumn = 1;
    bool SortAscending = true;

    bool AddFile(const QString& path, qint64& size);
    bool AddFile(const QByteArray& path, qint64& size);
    QString ReadVersionString(const QString& name);
    int CompareRows(const FileListRow& first, const FileListRow& second) const;

    SortType sortType() const;
    void setSortType(SortType type);
    void beginUpdate();
    void endUpdate();

    void addColumn(const QString& caption, Qt::Alignment alignment = Qt::AlignLeft);
    int columnCount() const;
    QString columnCaption(int column) const;

    int count() const;
    QString caption(int row) const;
    QStringList subItems(int row) const;
    QByteArray filePath(int row) const;
    // Sub-item 0 read as a number, 0 when it is none.
    qint64 sizeOf(int row) const;
    bool isSelected(int row) const;
    void setSelected(int row, bool selected);
    void addRow(const QString& caption, const QStringList& subItems,
                const QByteArray& rawPath = {});
    void setRowTexts(int row, const QString& caption, const QStringList& subItems);
    void removeRow(int row);
    // Many rows at once, without a repaint or a reset per row.
    void removeRows(QList<int> rows);
    QList<int> selectedRows() const;
    void clear();

    static QString attributeText(quint32 attributes);

public Q_SLOTS:
    void ColumnClicked(int column);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void addDefaultColumns();
    void requestSort();
    void flushSort() const;
    void sortAll();
    void fitColumns();
    void flushPendingWork();

    FileListModel* m_model;
    EntryReader m_entries;
    FileTypeNames m_typeNames;
    QStringList readVersions(const QByteArray& path);

    QByteArray m_versionPath;
    std::optional<VersionResource> m_version;

    SortType m_sortType = stNone;
    SortType m_savedSortType = stNone;
    int m_updateDepth = 0;
    mutable bool m_sortPending = false;
    mutable int m_sortedCount = 0;
    mutable std::pair<int, bool> m_sortedBy{-1, true};
    bool m_columnsDirty = false;
    QTimer m_flushTimer;
};
