#pragma once

#include <QByteArray>

// Writes small but valid compound files (version 3 or 4) for the tests: a
// root with a class id, a stream "WordDocument", a storage "ObjectPool" with
// a class id holding a stream "Inner", and free sectors full of old bytes
// between the streams, which a compaction must drop.
namespace CompoundBuilder {
QByteArray build(int version, int freeSectors = 20, int documentSize = 9000);
QByteArray wordDocument(int size = 9000); // the bytes of the stream "WordDocument"
QByteArray inner();                       // the bytes of the stream "Inner"
} // namespace CompoundBuilder
