#include "cleanup/OleCrunch.h"

#include "platform/CompoundFile.h"
#include "platform/ParentDirectory.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum HelperExit { Copied = 0, CannotOpenSource = 2, CannotCreateTarget = 3 };

bool writeAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size_t(size));
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Where the kernel cannot copy between the two files, the rest by hand.
bool copyByReading(int in, int out)
{
    char buffer[65536];
    for (ssize_t n; (n = read(in, buffer, sizeof buffer)) != 0;)
        if (n < 0 || !writeAll(out, buffer, n))
            return false;
    return true;
}

bool syncFile(const QByteArray& path)
{
    const int fd = open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    const bool ok = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0)
        close(fd);
    return ok;
}

qint64 sizeOf(const QByteArray& path)
{
    struct stat st;
    return stat(path.constData(), &st) == 0 ? qint64(st.st_size) : 0;
}

QByteArray temporaryBeside(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return path.left(slash + 1) + '.' + path.mid(slash + 1).left(200) + ".kwcrunch-" +
           QByteArray::number(QRandomGenerator::global()->generate(), 36);
}

bool unchangedSince(const QByteArray& path, const struct stat& before)
{
    struct stat now;
    return lstat(path.constData(), &now) == 0 && now.st_ino == before.st_ino &&
           now.st_size == before.st_size && now.st_mtim.tv_sec == before.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}

} // namespace

OleCrunch::OleCrunch(QString helperPath, int timeoutMs)
    : m_helper(std::move(helperPath))
    , m_timeoutMs(timeoutMs)
{
}

// The backup needs no sync of its own: the compacted file is synced before
// it takes the original's place, and until then the original is untouched.
bool OleCrunch::copyFile(const QByteArray& from, const QByteArray& to)
{
    const int in = open(from.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (in < 0 || fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (in >= 0)
            close(in);
        return false;
    }
    const int out =
        open(to.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    for (off_t left = st.st_size; ok && left > 0;) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, size_t(left), 0);
        ok = n > 0 || (n < 0 && copyByReading(in, out));
        left = n > 0 ? left - n : 0;
    }
    if (ok) {
        ok = fchmod(out, st.st_mode & 07777) == 0;
        if (fchown(out, st.st_uid, st.st_gid) != 0) {
            // Not allowed for others' files; the permission bits are kept all the same.
        }
    }
    close(in);
    if (out >= 0)
        close(out);
    // A backup cut short (a full disk) must not pass for one.
    if (!ok && out >= 0)
        unlink(to.constData());
    return ok;
}

OleCrunch::Helper OleCrunch::runHelper(const QByteArray& source, const QByteArray& target) const
{
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(m_helper, {QFile::decodeName(source), QFile::decodeName(target)});
    if (!helper.waitForStarted())
        return Helper::Failed;
    if (!helper.waitForFinished(m_timeoutMs)) {
        helper.kill();
        helper.waitForFinished();
        return Helper::Failed;
    }
    if (helper.exitStatus() != QProcess::NormalExit)
        return Helper::Failed;
    switch (helper.exitCode()) {
    case Copied:
        return Helper::Copied;
    case CannotOpenSource:
        return Helper::CannotOpen;
    case CannotCreateTarget:
        return Helper::CannotCreate;
    default:
        return Helper::Failed;
    }
}

OleCrunch::Outcome OleCrunch::crunch(const QByteArray& path, bool keepBackup) const
{
    // A directory on the way that became a link leads to a file nobody chose.
    struct stat original;
    if (!ParentDirectory(path).isOpen() || !CompoundFile::isStorageFile(path) ||
        lstat(path.constData(), &original) != 0)
        return {};
    if (!(original.st_mode & S_IWUSR))
        return {}; // read-only: left exactly as it is
    const QByteArray backup = path + ".KW2";
    if (!copyFile(path, backup))
        return {};
    const QByteArray temporary = temporaryBeside(path);
    const Helper helper = runHelper(backup, temporary);
    // A new file that cannot even be made is passed over without a message.
    Message failure = helper == Helper::CannotOpen ? Message::OpeningFailed
                      : helper == Helper::Failed   ? Message::CrunchingFailed
                                                   : Message::None;
    bool replaced = false;
    if (helper == Helper::Copied) {
        // The file must not have changed since the backup was taken.
        const bool ready = chmod(temporary.constData(), original.st_mode & 07777) == 0 &&
                           syncFile(temporary) && unchangedSince(path, original);
        if (ready && chown(temporary.constData(), original.st_uid, original.st_gid) != 0) {
            // Kept as far as allowed, like the backup.
        }
        replaced = ready && rename(temporary.constData(), path.constData()) == 0;
        if (!replaced)
            failure = Message::CrunchingFailed;
    }
    if (!replaced) {
        unlink(temporary.constData());
        return {0, failure};
    }
    const qint64 gain = sizeOf(backup) - sizeOf(path);
    if (!keepBackup)
        unlink(backup.constData());
    return {gain, Message::None};
}
