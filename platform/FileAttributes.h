#pragma once

#include <QtGlobal>

// The DOS attribute bits the rest of the program reasons in.
namespace FileAttributes {
constexpr quint32 ReadOnly = 0x01;
constexpr quint32 Hidden = 0x02;
constexpr quint32 System = 0x04;
constexpr quint32 Directory = 0x10;
constexpr quint32 Archive = 0x20;
} // namespace FileAttributes
