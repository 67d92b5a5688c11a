#pragma once

// Copies a compound file into a new one, element by element, so that the
// free space of the old file stays behind. Strict: any damage libgsf reports,
// a missing or unreadable element, an empty or repeated name among siblings,
// or a tree larger or deeper than can be written back fails the copy. The
// new file is then read back and compared with the old one, every stream's
// bytes and every storage's class id, before the copy counts.
namespace StorageCopy {
enum Result { Copied = 0, CannotOpenSource = 2, CannotCreateTarget = 3, Failed = 4 };

constexpr int MaxDepth = 64;
constexpr int MaxEntries = 20000;

Result copy(const char* source, const char* target);
} // namespace StorageCopy
