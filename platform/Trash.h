#pragma once

#include <QByteArray>

class ParentDirectory;

// The freedesktop.org trash: an entry goes to the trash of its own volume
// (the home trash, or the volume's .Trash/$uid or .Trash-$uid) with an info
// file naming where it came from, so that any desktop can list and restore
// it. The entry itself is moved, never what a symbolic link points to, and
// never through a directory on its path that has become a link.
namespace Trash {
// 0 on success, else the errno that stopped it; nothing is ever deleted.
int moveToTrash(const QByteArray& path);
// The same, with the path's directory already opened.
int moveToTrash(const ParentDirectory& parent, const QByteArray& path);
// $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash.
QByteArray homeTrash();
} // namespace Trash
