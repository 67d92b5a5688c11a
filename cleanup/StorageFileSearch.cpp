#include "cleanup/StorageFileSearch.h"

#include "platform/CompoundFile.h"

#include <cstring>
#include <dirent.h>

StorageFileSearch::StorageFileSearch(const bool& stop, SearchProgress& progress, Found found)
    : m_walk(stop, progress)
    , m_found(std::move(found))
{
}

void StorageFileSearch::FindStorageFiles(const QByteArray& directory)
{
    m_walk.walk(directory, *this);
}

// The extension, from the last dot, is exactly ".KW2" in capitals.
bool StorageFileSearch::isBackupName(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return dot && std::strcmp(dot, ".KW2") == 0;
}

void StorageFileSearch::visit(int dirFd, const QByteArray& dir, const char* name,
                              unsigned char type)
{
    if ((type == DT_REG || type == DT_UNKNOWN) && !isBackupName(name) &&
        CompoundFile::isStorageFileAt(dirFd, name))
        m_found(dir + name);
}
