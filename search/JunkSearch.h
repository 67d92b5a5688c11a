#pragma once

#include "platform/EntryReader.h"
#include "search/SearchProgress.h"
#include "search/TreeWalk.h"
#include "search/WildcardMask.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>
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
class JunkSearch : private TreeWalk::Visitor {
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
    bool wantsEntriesOf(const QByteArray& dir) override;
    void visit(int dirFd, const QByteArray& dir, const char* name, unsigned char type) override;
    void judge(int dirFd, const QByteArray& dir, const char* name);
    bool isExcluded(const QByteArray& dir) const;

    SearchOptions m_options;
    std::vector<QByteArray> m_excluded; // lower-cased A to Z
    TreeWalk m_walk;
    const MaskList* m_masks = nullptr;
    EntryReader m_entries;
    std::vector<Hit> m_hits;
    QSet<QPair<dev_t, ino_t>> m_seen;
};
