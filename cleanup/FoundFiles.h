#pragma once

#include <QByteArray>

// The file operations behind deleting found files. A path is never followed
// through a directory that has become a symbolic link since the search.
namespace FoundFiles {
// Something is at the path: a file, or a link even if it leads nowhere.
bool exists(const QByteArray& path);
// Removes the directory entry for good (a link as a link); 0 or the errno.
int deletePermanently(const QByteArray& path);
} // namespace FoundFiles
