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

QByteArray wordDocument()
{
    return pattern(9000, 1);
}
QByteArray inner()
{
    return pattern(5000, 2);
}

QByteArray build(int version, int freeSectors)
{
    const int sector = version == 4 ? 4096 : 512;
    const auto sectorsFor = [&](int bytes) { return (bytes + sector - 1) / sector; };
    const QByteArray doc = wordDocument(), in = inner();
    // Sector 0: FAT; 1: directory; then the document, the free sectors, the inner stream.
    const quint32 docStart = 2, docCount = quint32(sectorsFor(int(doc.size())));
    const quint32 freeStart = docStart + docCount;
    const quint32 innerStart = freeStart + quint32(freeSectors);
    const quint32 innerCount = quint32(sectorsFor(int(in.size())));
    const quint32 total = innerStart + innerCount;

    QByteArray header(sector, '\0');
    header.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    put16(header, 0x18, 0x3E);
    put16(header, 0x1A, quint32(version));
    put16(header, 0x1C, 0xFFFE);
    put16(header, 0x1E, version == 4 ? 12 : 9);
    put16(header, 0x20, 6);
    put32(header, 0x28, version == 4 ? 1 : 0);
    put32(header, 0x2C, 1);
    put32(header, 0x30, 1);
    put32(header, 0x38, 4096);
    put32(header, 0x3C, EndOfChain);
    put32(header, 0x44, EndOfChain);
    put32(header, 0x4C, 0);
    for (int i = 1; i < 109; ++i)
        put32(header, 0x4C + 4 * i, FreeSect);

    QByteArray fat(sector, '\xff');
    put32(fat, 0, FatSect);
    put32(fat, 4, EndOfChain);
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
        b.append(QByteArray(int(sectorsFor(int(b.size())) * sector - b.size()), '\0'));
        return b;
    };
    QByteArray file = header + fat + directory + padded(doc);
    file += pattern(freeSectors * sector, 9); // old content nobody points to
    file += padded(in);
    Q_ASSERT(file.size() == qsizetype(total + 1) * sector);
    return file;
}

} // namespace CompoundBuilder
