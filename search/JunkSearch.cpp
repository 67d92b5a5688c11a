#include "search/JunkSearch.h"

#include "platform/FileAttributes.h"
#include "platform/MountTable.h"

#include <QCollator>
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto EventsEvery = std::chrono::milliseconds(10);
constexpr auto ShowEvery = std::chrono::milliseconds(100);
constexpr unsigned EntriesPerClockLook = 32;

QByteArray lowerAsciiLetters(QByteArray s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return s;
}

bool neverAHit(unsigned char type)
{
    return type == DT_SOCK || type == DT_FIFO || type == DT_CHR || type == DT_BLK;
}

unsigned char typeOf(mode_t mode)
{
    return S_ISDIR(mode) ? DT_DIR : S_ISLNK(mode) ? DT_LNK : S_ISREG(mode) ? DT_REG : DT_SOCK;
}

} // namespace

JunkSearch::JunkSearch(SearchOptions options, const QStringList& excludeList, const bool& stop,
                       SearchProgress& progress)
    : m_options(std::move(options))
    , m_stop(stop)
    , m_progress(progress)
    , m_pseudoDevices(MountTable::pseudoFileSystemDevices())
{
    for (const QString& entry : excludeList)
        m_excluded.push_back(lowerAsciiLetters(QFile::encodeName(entry)));
}

JunkSearch::MaskList JunkSearch::maskList() const
{
    MaskList masks;
    for (const QString& p : m_options.patterns)
        masks.emplace_back(p);
    if (!m_options.ignoreEmpty)
        masks.emplace_back(QStringLiteral("*.*"));
    return masks;
}

// Between two looks at the clock the walk runs freely; events get their turn
// about every 10 ms, so "STOP" answers quickly without costing every entry.
bool JunkSearch::stopRequested()
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

bool JunkSearch::isExcluded(const QByteArray& dir) const
{
    if (m_excluded.empty())
        return false;
    const QByteArray lower = lowerAsciiLetters(dir);
    return std::any_of(m_excluded.begin(), m_excluded.end(),
                       [&](const QByteArray& e) { return lower.startsWith(e); });
}

// Depth first, each directory's files before its subdirectories, with a stack
// of our own so that a deep tree cannot exhaust the program's stack.
void JunkSearch::SearchDirectory(const QByteArray& root, const MaskList& masks)
{
    if (m_stop)
        return;
    std::vector<QByteArray> pending{root.endsWith('/') ? root : root + '/'};
    bool isRoot = true;
    while (!pending.empty() && !m_stop) {
        const QByteArray dir = std::move(pending.back());
        pending.pop_back();
        std::vector<QByteArray> subdirs;
        walkOne(dir, masks, subdirs, isRoot);
        isRoot = false;
        std::move(subdirs.rbegin(), subdirs.rend(), std::back_inserter(pending));
    }
}

void JunkSearch::walkOne(const QByteArray& dir, const MaskList& masks,
                         std::vector<QByteArray>& subdirs, bool isRoot)
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
    const bool excluded = isExcluded(dir);
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
        else if (!excluded && !neverAHit(type))
            judge(fd, dir, {QByteArray(name), type}, masks);
    }
    closedir(d);
}

void JunkSearch::judge(int dirFd, const QByteArray& dir, const Entry& entry, const MaskList& masks)
{
    const bool named = std::any_of(masks.begin(), masks.end(), [&](const WildcardMask& m) {
        return !m.isCatchAll() && m.matches(entry.name);
    });
    if (!named && m_options.ignoreEmpty)
        return; // only an empty file could still be a hit
    struct stat st;
    if (fstatat(dirFd, entry.name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return;
    bool hit = st.st_size == 0 && !m_options.ignoreEmpty;
    if (!hit && named && st.st_size != 0) {
        struct stat target;
        if (S_ISLNK(st.st_mode) && fstatat(dirFd, entry.name.constData(), &target, 0) == 0 &&
            S_ISDIR(target.st_mode))
            return; // a link to a directory is neither a hit nor walked
        const quint32 attributes = m_options.ignoreAttributes == 0
                                       ? 0
                                       : m_entries.attributes(dir + entry.name, entry.name, st);
        hit = (attributes & m_options.ignoreAttributes) == 0;
    }
    if (!hit || m_seen.contains({st.st_dev, st.st_ino}))
        return;
    m_seen.insert({st.st_dev, st.st_ino});
    m_hits.push_back({dir + entry.name, st.st_dev, st.st_ino});
}

QList<QByteArray> JunkSearch::FoundNames() const
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_hits.size());
    for (const Hit& h : m_hits)
        keys.push_back(collator.sortKey(QFile::decodeName(h.path)));
    std::vector<size_t> order(m_hits.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = keys[a].compare(keys[b]);
        return c != 0 ? c < 0 : m_hits[a].path < m_hits[b].path;
    });
    QList<QByteArray> names;
    names.reserve(qsizetype(order.size()));
    for (size_t i : order)
        names.append(m_hits[i].path);
    return names;
}
