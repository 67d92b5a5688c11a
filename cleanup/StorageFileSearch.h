#pragma once

#include "search/TreeWalk.h"

#include <QByteArray>
#include <functional>

// The walk of "OLE-Crunch": every compound file under a directory, hidden
// ones included, backups ending in exactly ".KW2" left out. Links are not
// followed, so a link to a document is not one.
class StorageFileSearch : private TreeWalk::Visitor {
public:
    using Found = std::function<void(const QByteArray& path)>;

    StorageFileSearch(const bool& stop, SearchProgress& progress, Found found);

    void FindStorageFiles(const QByteArray& directory);
    static bool isBackupName(const char* name);

private:
    void visit(int dirFd, const QByteArray& dir, const char* name, unsigned char type) override;

    TreeWalk m_walk;
    Found m_found;
};
