#pragma once

#include <QByteArray>
#include <QString>

// Text files the program reads may come from Windows, written in its 8-bit
// code page. UTF-8 is taken as UTF-8 (a leading byte-order mark dropped);
// anything else as Windows-1252, so that every byte comes back as the
// character it stood for there.
namespace TextDecoding {
QString decode(const QByteArray& bytes);
QString fromWindows1252(const QByteArray& bytes);
} // namespace TextDecoding
