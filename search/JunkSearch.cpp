#include "search/JunkSearch.h"

#include "platform/FileAttributes.h"

#include <QCollator>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray lowerAsciiLetters(QByteArray s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return s;
}

} // namespace

JunkSearch::JunkSearch(SearchOptions options, const QStringList& excludeList, const bool& stop,
                       SearchProgress& progress)
    : m_options(std::move(options))
    , m_walk(stop, progress)
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

bool JunkSearch::isExcluded(const QByteArray& dir) const
{
    if (m_excluded.empty())
        return false;
    const QByteArray lower = lowerAsciiLetters(dir);
    return std::any_of(m_excluded.begin(), m_excluded.end(),
                       [&](const QByteArray& e) { return lower.startsWith(e); });
}

void JunkSearch::SearchDirectory(const QByteArray& root, const MaskList& masks)
{
    m_masks = &masks;
    m_walk.walk(root, *this);
    m_masks = nullptr;
}

bool JunkSearch::wantsEntriesOf(const QByteArray& dir)
{
    return !isExcluded(dir);
}

// Sockets, FIFOs and device nodes are never junk.
void JunkSearch::visit(int dirFd, const QByteArray& dir, const char* name, unsigned char type)
{
    if (type != DT_SOCK && type != DT_FIFO && type != DT_CHR && type != DT_BLK)
        judge(dirFd, dir, name);
}

void JunkSearch::judge(int dirFd, const QByteArray& dir, const char* name)
{
    const size_t length = strlen(name);
    const bool named = std::any_of(m_masks->begin(), m_masks->end(), [&](const WildcardMask& m) {
        return !m.isCatchAll() && m.matches(name, length);
    });
    if (!named && m_options.ignoreEmpty)
        return; // only an empty file could still be a hit
    struct stat st;
    if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return;
    bool hit = st.st_size == 0 && !m_options.ignoreEmpty;
    if (!hit && named && st.st_size != 0) {
        struct stat target;
        if (S_ISLNK(st.st_mode) && fstatat(dirFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode))
            return; // a link to a directory is neither a hit nor walked
        const quint32 attributes = m_options.ignoreAttributes == 0
                                       ? 0
                                       : m_entries.attributes(dir + name, QByteArray(name), st);
        hit = (attributes & m_options.ignoreAttributes) == 0;
    }
    if (!hit || m_seen.contains({st.st_dev, st.st_ino}))
        return;
    m_seen.insert({st.st_dev, st.st_ino});
    m_hits.push_back({dir + name, st.st_dev, st.st_ino});
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
