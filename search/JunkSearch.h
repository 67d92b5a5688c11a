#pragma once

#include "platform/EntryReader.h"
#include "search/SearchProgress.h"
#include "search/WildcardMask.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>
#include <chrono>
#include <sys/types.h>
#include <vector>

// What a search looks for.
struct SearchOptions {
    QStringList patterns;         // the checked patterns, in list order
    bool ignoreEmpty = true;      // o_0byte
    quint32 ignoreAttributes = 0; // read-only 0x01, hidden 0x02, system 0x04
};

// The junk search over one or more roots. Files are hits when a pattern
// names them and they are neither empty nor carry an ignored attribute, or,
// unless empty files are ignored, when they are empty. Hits in excluded
// directories are dropped. Symbolic links are never followed, pseudo file
// systems never entered, unreadable directories passed over in silence.
class JunkSearch {
public:
    using MaskList = std::vector<WildcardMask>;

    JunkSearch(SearchOptions options, const QStringList& excludeList, const bool& stop,
               SearchProgress& progress);

    // The patterns, then "*.*" when empty files are not ignored.
    MaskList maskList() const;
    // Walks root and everything below it, adding hits.
    void SearchDirectory(const QByteArray& root, const MaskList& masks);
    // The hits so far, each file once, in the user's alphabetical order
    // without regard to case.
    QList<QByteArray> FoundNames() const;

private:
    struct Hit {
        QByteArray path;
        dev_t device;
        ino_t inode;
    };
    struct Entry {
        QByteArray name;
        unsigned char type;
    };

    void walkOne(const QByteArray& dir, const MaskList& masks, std::vector<QByteArray>& subdirs,
                 bool isRoot);
    void judge(int dirFd, const QByteArray& dir, const Entry& entry, const MaskList& masks);
    bool isExcluded(const QByteArray& dir) const;
    bool stopRequested();

    SearchOptions m_options;
    std::vector<QByteArray> m_excluded; // lower-cased A to Z
    const bool& m_stop;
    SearchProgress& m_progress;
    EntryReader m_entries;
    QSet<dev_t> m_pseudoDevices;
    std::vector<Hit> m_hits;
    QSet<QPair<dev_t, ino_t>> m_seen;
    std::chrono::steady_clock::time_point m_lastEvents;
    std::chrono::steady_clock::time_point m_lastShown;
    unsigned m_sinceClock = 0;
};
