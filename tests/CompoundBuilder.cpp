#include "CompoundBuilder.h"

#include <QString>
#include <vector>

namespace CompoundBuilder {

namespace {

constexpr quint32 FreeSect = 0xFFFFFFFF, EndOfChain = 0xFFFFFFFE, FatSect = 0xFFFFFFFD,
                  NoStream = 0xFFFFFFFF;

void put16(QByteArray& b, int at, quint32 v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}

void put32(QByteArray& b, int at, quint32 v)
{
    put16(b, at, v & 0xffff);
    put16(b, at + 2, v >> 16);
}

QByteArray pattern(int size, int seed)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 31 + seed * 7 + i / 97) & 0xff);
    return b;
}

struct Entry {
    QString name;
    int type; // 1 storage, 2 stream, 5 root
    quint32 left = NoStream, right = NoStream, child = NoStream;
    QByteArray classId;
    quint32 start = EndOfChain;
    quint32 size = 0;
};

QByteArray entryBytes(const Entry& e)
{
    QByteArray b(128, '\0');
    for (int i = 0; i < e.name.size(); ++i)
        put16(b, 2 * i, e.name[i].unicode());
    put16(b, 64, quint32(e.name.size() + 1) * 2);
    b[66] = char(e.type);
    b[67] = 1; // black
    put32(b, 68, e.left);
    put32(b, 72, e.right);
    put32(b, 76, e.child);
    if (!e.classId.isEmpty())
        b.replace(80, 16, e.classId);
    put32(b, 116, e.start);
    put32(b, 120, e.size);
    return b;
}

} // namespace

QByteArray wordDocument(int size)
{
    return pattern(size, 1);
}

QByteArray inner()
{
    return pattern(5000, 2);
}

QByteArray build(int version, int freeSectors, int documentSize)
{
    const int sector = version == 4 ? 4096 : 512;
    const quint32 perFat = quint32(sector / 4);
    const auto sectorsFor = [&](qint64 bytes) { return quint32((bytes + sector - 1) / sector); };
    const QByteArray doc = wordDocument(documentSize), in = inner();
    // The FAT first, then the directory, the document, the free sectors, the inner stream.
    const quint32 docCount = sectorsFor(doc.size()), innerCount = sectorsFor(in.size());
    quint32 fatCount = 1;
    while (fatCount * perFat < fatCount + 1 + docCount + quint32(freeSectors) + innerCount)
        ++fatCount;
    Q_ASSERT(fatCount <= 109);
    const quint32 dirSector = fatCount, docStart = fatCount + 1;
    const quint32 freeStart = docStart + docCount;
    const quint32 innerStart = freeStart + quint32(freeSectors);
    const quint32 total = innerStart + innerCount;

    QByteArray header(sector, '\0');
    header.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    put16(header, 0x18, 0x3E);
    put16(header, 0x1A, quint32(version));
    put16(header, 0x1C, 0xFFFE);
    put16(header, 0x1E, version == 4 ? 12 : 9);
    put16(header, 0x20, 6);
    put32(header, 0x28, version == 4 ? 1 : 0);
    put32(header, 0x2C, fatCount);
    put32(header, 0x30, dirSector);
    put32(header, 0x38, 4096);
    put32(header, 0x3C, EndOfChain);
    put32(header, 0x44, EndOfChain);
    for (quint32 i = 0; i < 109; ++i)
        put32(header, int(0x4C + 4 * i), i < fatCount ? i : FreeSect);

    QByteArray fat(int(fatCount) * sector, '\xff');
    for (quint32 i = 0; i < fatCount; ++i)
        put32(fat, int(4 * i), FatSect);
    put32(fat, int(4 * dirSector), EndOfChain);
    const auto chain = [&](quint32 start, quint32 count) {
        for (quint32 s = start; s < start + count; ++s)
            put32(fat, int(4 * s), s + 1 == start + count ? EndOfChain : s + 1);
    };
    chain(docStart, docCount);
    chain(innerStart, innerCount);

    const QByteArray rootId = QByteArray::fromHex("0609020000000000c000000000000046");
    const QByteArray poolId = QByteArray::fromHex("11223344556677889900aabbccddeeff");
    std::vector<Entry> entries = {
        {"Root Entry", 5, NoStream, NoStream, 1, rootId},
        {"WordDocument", 2, 2, NoStream, NoStream, {}, docStart, quint32(doc.size())},
        {"ObjectPool", 1, NoStream, NoStream, 3, poolId},
        {"Inner", 2, NoStream, NoStream, NoStream, {}, innerStart, quint32(in.size())}};
    QByteArray directory;
    for (const Entry& e : entries)
        directory += entryBytes(e);
    while (directory.size() < sector) {
        QByteArray empty(128, '\0');
        put32(empty, 68, NoStream);
        put32(empty, 72, NoStream);
        put32(empty, 76, NoStream);
        directory += empty;
    }

    const auto padded = [&](QByteArray b) {
        b.append(QByteArray(qsizetype(sectorsFor(b.size())) * sector - b.size(), '\0'));
        return b;
    };
    QByteArray file = header + fat + directory + padded(doc);
    file += pattern(freeSectors * sector, 9); // old content nobody points to
    file += padded(in);
    Q_ASSERT(file.size() == qsizetype(total + 1) * sector);
    return file;
}

} // namespace CompoundBuilder
