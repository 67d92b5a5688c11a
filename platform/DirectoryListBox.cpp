#include "platform/DirectoryListBox.h"

#include "platform/IoError.h"

#include <QCollator>
#include <QFile>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int PathRole = Qt::UserRole;

QByteArray joined(const QByteArray& dir, const QByteArray& name)
{
    return dir.endsWith('/') ? dir + name : dir + '/' + name;
}

// The prefixes of an absolute path, from "/" down to the path itself.
QList<QByteArray> chain(const QByteArray& path)
{
    QList<QByteArray> out{"/"};
    for (const QByteArray& part : path.split('/'))
        if (!part.isEmpty())
            out.append(joined(out.last(), part));
    return out;
}

std::optional<QByteArray> workingDirectory()
{
    char buf[PATH_MAX];
    const char* cwd = getcwd(buf, sizeof buf);
    return cwd ? std::optional<QByteArray>(QByteArray(cwd)) : std::nullopt;
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setIndentation(8);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(14, 14));
}

QByteArray DirectoryListBox::absolute(const QByteArray& path)
{
    return path.startsWith('/') ? path : joined(workingDirectory().value_or("/"), path);
}

// Real directories only: a link to a directory is not a place the search
// would walk into, so it is not offered for navigation either.
QList<QByteArray> DirectoryListBox::subdirectories(const QByteArray& path)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(path.constData()), closedir);
    if (!dir)
        throw IoError(errno, path);
    QList<QByteArray> names;
    while (const dirent* e = readdir(dir.get())) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat st;
        const bool isDir = e->d_type == DT_DIR ||
                           (e->d_type == DT_UNKNOWN &&
                            lstat(joined(path, name).constData(), &st) == 0 && S_ISDIR(st.st_mode));
        if (isDir)
            names.append(name);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const QByteArray& a, const QByteArray& b) {
        return collator.compare(QFile::decodeName(a), QFile::decodeName(b)) < 0;
    });
    return names;
}

void DirectoryListBox::setDirectory(const QByteArray& path)
{
    const QByteArray target = absolute(path);
    const QList<QByteArray> children = subdirectories(target);
    if (chdir(target.constData()) != 0)
        throw IoError(errno, target);
    m_directory = workingDirectory().value_or(target);
    rebuild(children);
    Q_EMIT directoryChanged(m_directory);
}

void DirectoryListBox::openCurrentItem()
{
    if (const QTreeWidgetItem* item = currentItem())
        setDirectory(pathOf(item));
}

void DirectoryListBox::showWorkingDirectory()
{
    try {
        setDirectory(".");
    } catch (const IoError&) {
        setDirectory("/");
    }
}

QByteArray DirectoryListBox::directoryEntry() const
{
    return m_directory.endsWith('/') ? m_directory : m_directory + '/';
}

QByteArray DirectoryListBox::pathOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, PathRole).toByteArray() : QByteArray();
}

void DirectoryListBox::rebuild(const QList<QByteArray>& children)
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const QByteArray& p : chain(m_directory)) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        const int slash = p.lastIndexOf('/');
        item->setText(0, p == "/" ? QStringLiteral("/") : QFile::decodeName(p.mid(slash + 1)));
        item->setIcon(0, open);
        item->setData(0, PathRole, p);
        parent = item;
    }
    for (const QByteArray& name : children) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, QFile::decodeName(name));
        item->setIcon(0, closed);
        item->setData(0, PathRole, joined(m_directory, name));
    }
    expandAll();
    setCurrentItem(parent);
    // The directory above stays in sight, so the way back up is visible.
    QTreeWidgetItem* above = parent->parent() ? parent->parent() : parent;
    scrollToItem(above, QAbstractItemView::PositionAtTop);
}
