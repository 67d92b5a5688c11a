#pragma once

#include "search/SearchProgress.h"

#include <QByteArray>
#include <QSet>
#include <chrono>
#include <sys/types.h>
#include <vector>

// A walk over a directory tree, depth first, each directory's entries before
// its subdirectories. Symbolic links are never followed, pseudo file systems
// never entered, unreadable directories passed over in silence. Events get
// their turn about every 10 ms; the stop flag is looked at before each entry.
class TreeWalk {
public:
    class Visitor {
    public:
        virtual ~Visitor() = default;
        // Whether the entries of dir matter (its subdirectories are walked anyway).
        virtual bool wantsEntriesOf(const QByteArray&) { return true; }
        // An entry that is not a directory; dirFd is dir, open.
        virtual void visit(int dirFd, const QByteArray& dir, const char* name,
                           unsigned char type) = 0;
    };

    TreeWalk(const bool& stop, SearchProgress& progress);

    void walk(const QByteArray& root, Visitor& visitor);

private:
    void walkOne(const QByteArray& dir, Visitor& visitor, std::vector<QByteArray>& subdirs,
                 bool isRoot);
    bool stopRequested();

    const bool& m_stop;
    SearchProgress& m_progress;
    QSet<dev_t> m_pseudoDevices;
    std::chrono::steady_clock::time_point m_lastEvents;
    std::chrono::steady_clock::time_point m_lastShown;
    unsigned m_sinceClock = 0;
};
