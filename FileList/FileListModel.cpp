#include "FileList/FileListModel.h"

#include <algorithm>
#include <numeric>

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void FileListModel::addColumn(const QString& caption, Qt::Alignment alignment)
{
    const int at = int(m_columns.size());
    beginInsertColumns({}, at, at);
    m_columns.push_back({caption, alignment | Qt::AlignVCenter});
    endInsertColumns();
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int item = index.column() - 1;
    const FileListRow& r =
        item >= FileListRow::FileVersionItem ? resolvedRow(index.row()) : row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return item < 0 ? r.caption : r.subItems.value(item);
    case Qt::ToolTipRole:
        return index.column() == 0 ? QVariant(r.caption) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[size_t(index.column())].alignment);
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[size_t(section)].caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[size_t(section)].alignment);
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

const FileListRow& FileListModel::resolvedRow(int i) const
{
    FileListRow& r = *m_rows[size_t(i)];
    if (r.versionsPending && m_versionReader) {
        r.versionsPending = false;
        const QStringList v = m_versionReader(r.path());
        r.subItems[FileListRow::FileVersionItem] = v.value(0);
        r.subItems[FileListRow::ProductVersionItem] = v.value(1);
    }
    return r;
}

void FileListModel::resolveAllVersions() const
{
    for (int i = 0; i < rowCount(); ++i)
        resolvedRow(i);
}

void FileListModel::appendRow(FileListRow row)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    m_rows.push_back(std::make_unique<FileListRow>(std::move(row)));
    endInsertRows();
}

void FileListModel::replaceRow(int i, FileListRow row)
{
    *m_rows[size_t(i)] = std::move(row);
    Q_EMIT dataChanged(index(i, 0), index(i, std::max(0, columnCount() - 1)));
}

void FileListModel::removeRowAt(int i)
{
    beginRemoveRows({}, i, i);
    m_rows.erase(m_rows.begin() + i);
    endRemoveRows();
}

void FileListModel::removeRowsAt(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    Q_EMIT layoutAboutToBeChanged();
    std::vector<int> newRowOf(m_rows.size(), -1);
    std::vector<std::unique_ptr<FileListRow>> kept;
    kept.reserve(m_rows.size() - size_t(rows.size()));
    qsizetype next = 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (next < rows.size() && rows[next] == int(i)) {
            ++next;
            continue;
        }
        newRowOf[i] = int(kept.size());
        kept.push_back(std::move(m_rows[i]));
    }
    m_rows.swap(kept);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const int row = newRowOf[size_t(old.row())];
        after.append(row < 0 ? QModelIndex() : index(row, old.column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

void FileListModel::clearRows()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void FileListModel::sortRows(const Compare& compare, int sortedPrefix)
{
    const int n = rowCount();
    if (sortedPrefix >= n)
        return;
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    const auto less = [&](int a, int b) { return compare(row(a), row(b)) < 0; };
    std::stable_sort(order.begin() + sortedPrefix, order.end(), less);
    std::inplace_merge(order.begin(), order.begin() + sortedPrefix, order.end(), less);
    if (std::is_sorted(order.begin(), order.end()))
        return;

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(static_cast<size_t>(n));
    std::vector<std::unique_ptr<FileListRow>> sorted(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        newRowOf[size_t(order[size_t(i)])] = i;
        sorted[size_t(i)] = std::move(m_rows[size_t(order[size_t(i)])]);
    }
    m_rows.swap(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newRowOf[size_t(old.row())], old.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
