#include "platform/Trash.h"

#include "platform/ParentDirectory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace Trash {

namespace {

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

bool makeDir(const QByteArray& path)
{
    if (mkdir(path.constData(), 0700) == 0)
        return true;
    struct stat st;
    return errno == EEXIST && lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeDirs(const QByteArray& path)
{
    if (makeDir(path))
        return true;
    return errno == ENOENT && makeDirs(parentOf(path)) && makeDir(path);
}

// The highest directory above path that is still on the same device.
QByteArray topDirectory(const QByteArray& path, dev_t device)
{
    QByteArray top = parentOf(path);
    struct stat st;
    while (top != "/" && lstat(parentOf(top).constData(), &st) == 0 && st.st_dev == device)
        top = parentOf(top);
    return top;
}

struct Target {
    QByteArray directory;    // the trash directory, holding files/ and info/
    QByteArray recordedPath; // what the info file's Path= names
};

// A volume's shared .Trash counts only when it is a real, sticky directory.
std::optional<Target> volumeTrash(const QByteArray& path, dev_t device)
{
    const QByteArray top = topDirectory(path, device);
    const QByteArray prefix = top == "/" ? QByteArray("/") : top + '/';
    const QByteArray relative = path.mid(prefix.size());
    const QByteArray uid = QByteArray::number(getuid());
    struct stat st;
    const QByteArray shared = prefix + ".Trash";
    if (lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) &&
        makeDir(shared + '/' + uid))
        return Target{shared + '/' + uid, relative};
    const QByteArray own = prefix + ".Trash-" + uid;
    if (makeDir(own) && lstat(own.constData(), &st) == 0 && st.st_uid == getuid())
        return Target{own, relative};
    return std::nullopt;
}

QByteArray infoText(const QByteArray& recordedPath)
{
    return "[Trash Info]\nPath=" + recordedPath.toPercentEncoding("/") + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
           "\n";
}

// Reserves a name in the trash by creating its info file exclusively.
int reserve(const QByteArray& trash, const QByteArray& baseName, const QByteArray& info,
            QByteArray& name)
{
    // Room for ".trashinfo" within the file system's name limit.
    const QByteArray base = baseName.left(200);
    for (int n = 1; n < 10000; ++n) {
        name = n == 1 ? base : base + '.' + QByteArray::number(n);
        struct stat st;
        if (lstat((trash + "/files/" + name).constData(), &st) == 0)
            continue;
        const QByteArray infoPath = trash + "/info/" + name + ".trashinfo";
        const int fd = open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return errno;
        const bool written = write(fd, info.constData(), size_t(info.size())) == info.size();
        const int error = written ? 0 : errno;
        close(fd);
        if (!written) {
            unlink(infoPath.constData());
            return error ? error : EIO;
        }
        return 0;
    }
    return EEXIST;
}

} // namespace

QByteArray homeTrash()
{
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    return (data.startsWith('/') ? data : QFile::encodeName(QDir::homePath()) + "/.local/share") +
           "/Trash";
}

int moveToTrash(const QByteArray& path)
{
    const ParentDirectory parent(path);
    return parent.isOpen() ? moveToTrash(parent, path) : parent.error();
}

int moveToTrash(const ParentDirectory& parent, const QByteArray& path)
{
    errno = 0;
    struct stat st;
    if (fstatat(parent.fd(), parent.name(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    std::optional<Target> target;
    const QByteArray home = homeTrash();
    struct stat homeSt;
    if (makeDirs(home) && stat(home.constData(), &homeSt) == 0 && homeSt.st_dev == st.st_dev)
        target = Target{home, path};
    else
        target = volumeTrash(path, st.st_dev);
    if (!target)
        return errno ? errno : EXDEV;
    if (!makeDir(target->directory + "/files") || !makeDir(target->directory + "/info"))
        return errno ? errno : EACCES;
    QByteArray name;
    const QByteArray base = path.mid(path.lastIndexOf('/') + 1);
    if (const int error = reserve(target->directory, base, infoText(target->recordedPath), name))
        return error;
    if (renameat(parent.fd(), parent.name(), AT_FDCWD,
                 (target->directory + "/files/" + name).constData()) != 0) {
        const int error = errno;
        unlink((target->directory + "/info/" + name + ".trashinfo").constData());
        return error;
    }
    return 0;
}

} // namespace Trash
