#pragma once

#include <QByteArray>

// The user's temporary directory: $TMPDIR when it names a directory, else
// /tmp; always with one trailing "/".
namespace TempDirectory {
QByteArray path();
} // namespace TempDirectory
