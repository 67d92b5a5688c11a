#pragma once

#include <QByteArray>

// OLE compound files (MS-CFB): the test that a file is one, from its header
// alone: the signature and sane version, byte order and sector sizes.
namespace CompoundFile {
constexpr int HeaderSize = 512;

bool isStorageHeader(const QByteArray& header);
// A regular file, never a link followed, whose first bytes are such a header.
bool isStorageFile(const QByteArray& path);
bool isStorageFileAt(int dirFd, const char* name);
} // namespace CompoundFile
