#include "platform/ShellDelete.h"

#include "platform/ParentDirectory.h"
#include "platform/Trash.h"

#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isNodeInUse(mode_t mode)
{
    return S_ISSOCK(mode) || S_ISFIFO(mode) || S_ISCHR(mode) || S_ISBLK(mode);
}

QString reason(int error)
{
    if (error == ELOOP)
        return QStringLiteral("A directory on this path is now a symbolic link, "
                              "which is not followed.");
    return QString::fromLocal8Bit(std::strerror(error));
}

// A directory named through a link (a temp directory set to one) is emptied
// where it really is: below it no link is followed.
QByteArray physical(const QByteArray& dir)
{
    std::unique_ptr<char, void (*)(void*)> real(realpath(dir.constData(), nullptr), std::free);
    return real ? QByteArray(real.get()) : dir;
}

QList<QByteArray> entriesOf(const QByteArray& dir)
{
    QList<QByteArray> names;
    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.constData()), closedir);
    if (!d)
        return names;
    while (const dirent* e = readdir(d.get())) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names.append((dir.endsWith('/') ? dir : dir + '/') + name);
    }
    return names;
}

} // namespace

ShellDelete::ShellDelete(QWidget* owner)
    : m_owner(owner)
{
}

ShellDelete::~ShellDelete()
{
    delete m_progress;
}

QList<QByteArray> ShellDelete::expand(const QList<QByteArray>& items)
{
    QList<QByteArray> out;
    for (const QByteArray& item : items) {
        if (item.endsWith("/*.*"))
            out += entriesOf(physical(item.left(item.size() - 3)));
        else if (item.endsWith("/*"))
            out += entriesOf(physical(item.left(item.size() - 1)));
        else
            out.append(item);
    }
    return out;
}

bool ShellDelete::isTrashDirectory(const QByteArray& path)
{
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    if (name == ".Trash" || path == Trash::homeTrash())
        return true;
    if (!name.startsWith(".Trash-"))
        return false;
    bool number = false;
    name.mid(7).toUInt(&number);
    return number;
}

bool ShellDelete::holdsNodesInUse(const QByteArray& dir)
{
    std::vector<QByteArray> pending{dir};
    while (!pending.empty()) {
        const QByteArray d = pending.back();
        pending.pop_back();
        for (const QByteArray& entry : entriesOf(d)) {
            struct stat st;
            if (lstat(entry.constData(), &st) != 0)
                continue;
            if (isNodeInUse(st.st_mode))
                return true;
            if (S_ISDIR(st.st_mode))
                pending.push_back(entry);
        }
    }
    return false;
}

ShellDelete::Result ShellDelete::run(const QList<QByteArray>& items, bool allowUndo)
{
    m_allowUndo = allowUndo;
    m_skipAll = m_cancelled = false;
    const QList<QByteArray> all = expand(items);
    m_total = int(all.size());
    m_done = 0;
    m_sinceShown.invalidate();
    Result result;
    for (const QByteArray& item : all) {
        if (m_cancelled)
            break;
        progress(item);
        struct stat st;
        if (remove(item) && lstat(item.constData(), &st) != 0)
            result.removed.append(item);
    }
    result.cancelled = m_cancelled;
    if (m_progress)
        m_progress->reset();
    return result;
}

// A directory holding a node in use cannot go as a whole: its other
// contents go one by one and the directory stays.
bool ShellDelete::remove(const QByteArray& path)
{
    const ParentDirectory parent(path);
    if (!parent.isOpen())
        return parent.error() != ENOENT && failed(path, parent.error());
    struct stat st;
    if (fstatat(parent.fd(), parent.name(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (isNodeInUse(st.st_mode) || (m_ownOnly && st.st_uid != geteuid()))
        return false;
    if (S_ISDIR(st.st_mode) && isTrashDirectory(path))
        return false;
    if (m_allowUndo && !(S_ISDIR(st.st_mode) && holdsNodesInUse(path)))
        return trash(parent, path);
    if (!S_ISDIR(st.st_mode))
        return erase(parent, path, 0);
    bool all = true;
    for (const QByteArray& entry : entriesOf(path)) {
        if (m_cancelled)
            return false;
        all = remove(entry) && all;
    }
    if (m_allowUndo || !all)
        return false;
    return erase(parent, path, AT_REMOVEDIR);
}

bool ShellDelete::trash(const ParentDirectory& parent, const QByteArray& path)
{
    const int error = Trash::moveToTrash(parent, path);
    return error == 0 || failed(path, error);
}

bool ShellDelete::erase(const ParentDirectory& parent, const QByteArray& path, int flags)
{
    return unlinkat(parent.fd(), parent.name(), flags) == 0 || failed(path, errno);
}

// Always false: the item is still there. Asks unless told to skip all.
bool ShellDelete::failed(const QByteArray& path, int error)
{
    if (m_skipAll)
        return false;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kehrwerk"),
                    QStringLiteral("%1\n\n%2\n\n%3")
                        .arg(m_allowUndo ? QStringLiteral("Cannot move to the trash:")
                                         : QStringLiteral("Cannot delete:"),
                             QFile::decodeName(path), reason(error)),
                    QMessageBox::NoButton, m_owner);
    box.setObjectName(QStringLiteral("ShellDeleteError"));
    QPushButton* skip = box.addButton(QStringLiteral("Skip"), QMessageBox::AcceptRole);
    QPushButton* skipAll = box.addButton(QStringLiteral("Skip all"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(skip);
    box.exec();
    if (box.clickedButton() == skipAll)
        m_skipAll = true;
    else if (box.clickedButton() != skip)
        m_cancelled = true;
    return false;
}

// The window shows itself only when the run lasts longer than a second, and
// is brought up to date a few dozen times a second, not per item.
void ShellDelete::progress(const QByteArray& path)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_owner);
        m_progress->setObjectName(QStringLiteral("ShellDeleteProgress"));
        m_progress->setWindowTitle(QStringLiteral("Kehrwerk"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(1000);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        QObject::connect(m_progress, &QProgressDialog::canceled, [this] { m_cancelled = true; });
    }
    ++m_done;
    if (m_sinceShown.isValid() && m_sinceShown.elapsed() < 25)
        return;
    m_sinceShown.start();
    m_progress->setMaximum(m_total);
    m_progress->setLabelText(
        QStringLiteral("%1 %2 of %3:\n%4")
            .arg(m_allowUndo ? QStringLiteral("Moving to the trash") : QStringLiteral("Deleting"))
            .arg(m_done)
            .arg(m_total)
            .arg(QFile::decodeName(path)));
    m_progress->setValue(m_done - 1);
}
