#pragma once

#include "FileList/FileListRow.h"

#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <vector>

// The rows and columns behind TFileListView. Column 0 shows a row's caption,
// column i its sub-item i - 1. Rows stay in the order the view sorts them in.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Compare = std::function<int(const FileListRow&, const FileListRow&)>;
    using VersionReader = std::function<QStringList(const QByteArray& path)>;

    explicit FileListModel(QObject* parent = nullptr);

    void addColumn(const QString& caption, Qt::Alignment alignment);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setVersionReader(VersionReader reader) { m_versionReader = std::move(reader); }

    const FileListRow& row(int i) const { return *m_rows[size_t(i)]; }
    // The row with its version strings read.
    const FileListRow& resolvedRow(int i) const;
    void resolveAllVersions() const;
    void appendRow(FileListRow row);
    void replaceRow(int i, FileListRow row);
    void removeRowAt(int i);
    // Removes many rows in one change of the layout; rows is sorted.
    void removeRowsAt(const QList<int>& rows);
    void clearRows();

    // Stable sort; rows [0, sortedPrefix) are known to be in order already.
    void sortRows(const Compare& compare, int sortedPrefix);

private:
    struct Column {
        QString caption;
        Qt::Alignment alignment;
    };
    std::vector<Column> m_columns;
    std::vector<std::unique_ptr<FileListRow>> m_rows;
    VersionReader m_versionReader;
};
