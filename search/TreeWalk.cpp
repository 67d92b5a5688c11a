#include "search/TreeWalk.h"

#include "platform/MountTable.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto EventsEvery = std::chrono::milliseconds(10);
constexpr auto ShowEvery = std::chrono::milliseconds(100);
constexpr unsigned EntriesPerClockLook = 32;

unsigned char typeOf(mode_t mode)
{
    return S_ISDIR(mode) ? DT_DIR : S_ISLNK(mode) ? DT_LNK : S_ISREG(mode) ? DT_REG : DT_SOCK;
}

} // namespace

TreeWalk::TreeWalk(const bool& stop, SearchProgress& progress)
    : m_stop(stop)
    , m_progress(progress)
    , m_pseudoDevices(MountTable::pseudoFileSystemDevices())
{
}

// Between two looks at the clock the walk runs freely; events get their turn
// about every 10 ms, so "STOP" answers quickly without costing every entry.
bool TreeWalk::stopRequested()
{
    if (++m_sinceClock % EntriesPerClockLook == 0) {
        const auto now = Clock::now();
        if (now - m_lastEvents >= EventsEvery) {
            m_lastEvents = now;
            m_progress.letEventsRun();
        }
    }
    return m_stop;
}

// With a stack of our own, so that a deep tree cannot exhaust the program's.
void TreeWalk::walk(const QByteArray& root, Visitor& visitor)
{
    if (m_stop)
        return;
    std::vector<QByteArray> pending{root.endsWith('/') ? root : root + '/'};
    bool isRoot = true;
    while (!pending.empty() && !m_stop) {
        const QByteArray dir = std::move(pending.back());
        pending.pop_back();
        std::vector<QByteArray> subdirs;
        walkOne(dir, visitor, subdirs, isRoot);
        isRoot = false;
        std::move(subdirs.rbegin(), subdirs.rend(), std::back_inserter(pending));
    }
}

void TreeWalk::walkOne(const QByteArray& dir, Visitor& visitor, std::vector<QByteArray>& subdirs,
                       bool isRoot)
{
    const auto now = Clock::now();
    if (now - m_lastShown >= ShowEvery) {
        m_lastShown = now;
        m_progress.showDirectory(dir);
    }
    // Below the root a directory that turned into a link is not followed.
    const int fd =
        open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (isRoot ? 0 : O_NOFOLLOW));
    struct stat st;
    if (fd < 0)
        return;
    if (fstat(fd, &st) != 0 || m_pseudoDevices.contains(st.st_dev)) {
        close(fd);
        return;
    }
    DIR* d = fdopendir(fd);
    if (!d) {
        close(fd);
        return;
    }
    const bool wanted = visitor.wantsEntriesOf(dir);
    while (const dirent* e = readdir(d)) {
        if (stopRequested())
            break;
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN)
            type = fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? typeOf(st.st_mode)
                                                                    : (unsigned char)DT_SOCK;
        if (type == DT_DIR)
            subdirs.push_back(dir + name + '/');
        else if (wanted)
            visitor.visit(fd, dir, name, type);
    }
    closedir(d);
}
