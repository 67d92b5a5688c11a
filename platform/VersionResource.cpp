#include "platform/VersionResource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 RtVersion = 16;
constexpr quint32 MaxSections = 96;
constexpr quint32 MaxBlock = 0x10000; // the block's own length field is 16 bits

quint16 u16(const char* p)
{
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

quint32 u32(const char* p)
{
    return quint32(u16(p)) | quint32(u16(p + 2)) << 16;
}

int align4(int n)
{
    return (n + 3) & ~3;
}

// Positioned reads that refuse anything outside the file.
class PeFile {
public:
    explicit PeFile(const QByteArray& path)
    {
        m_fd = open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (m_fd >= 0 && (fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            close(m_fd);
            m_fd = -1;
        }
        m_size = m_fd >= 0 ? quint64(st.st_size) : 0;
        // Most files are no program and are left after one small read; the
        // default read-ahead would fill 128 KiB of cache for each of them.
        if (m_fd >= 0)
            posix_fadvise(m_fd, 0, 0, POSIX_FADV_RANDOM);
    }
    ~PeFile()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    PeFile(const PeFile&) = delete;
    PeFile& operator=(const PeFile&) = delete;

    bool read(quint64 offset, quint64 length, QByteArray& out) const
    {
        if (m_fd < 0 || length > m_size || offset > m_size - length)
            return false;
        out.resize(qsizetype(length));
        quint64 done = 0;
        while (done < length) {
            const ssize_t n = pread(m_fd, out.data() + done, length - done, off_t(offset + done));
            if (n <= 0)
                return false;
            done += quint64(n);
        }
        return true;
    }

private:
    int m_fd = -1;
    quint64 m_size = 0;
};

struct Section {
    quint32 virtualAddress, virtualSize, rawSize, rawOffset;
};

struct Image {
    quint32 resourceRva = 0;
    std::vector<Section> sections;

    // File offset of [rva, rva + length), which must lie in one section's data.
    std::optional<quint64> offsetOf(quint32 rva, quint32 length) const
    {
        for (const Section& s : sections) {
            if (rva < s.virtualAddress)
                continue;
            const quint64 within = quint64(rva) - s.virtualAddress;
            if (within + length <= s.rawSize)
                return quint64(s.rawOffset) + within;
        }
        return std::nullopt;
    }
};

std::optional<Image> readHeaders(const PeFile& file)
{
    QByteArray b;
    if (!file.read(0, 64, b) || b[0] != 'M' || b[1] != 'Z')
        return std::nullopt;
    const quint32 peOffset = u32(b.constData() + 0x3c);
    if (!file.read(peOffset, 24, b) || !b.startsWith(QByteArrayLiteral("PE\0\0")))
        return std::nullopt;
    const quint32 sectionCount = u16(b.constData() + 6);
    const quint32 optionalSize = u16(b.constData() + 20);
    if (sectionCount == 0 || sectionCount > MaxSections ||
        !file.read(peOffset + 24, optionalSize, b))
        return std::nullopt;
    if (optionalSize < 2)
        return std::nullopt;
    const quint16 magic = u16(b.constData());
    const quint32 countAt = magic == 0x10b ? 92 : magic == 0x20b ? 108 : 0;
    const quint32 resourceAt = countAt + 4 + 2 * 8;
    if (countAt == 0 || optionalSize < resourceAt + 8 || u32(b.constData() + countAt) <= 2)
        return std::nullopt;
    Image image;
    image.resourceRva = u32(b.constData() + resourceAt);
    if (image.resourceRva == 0 || !file.read(peOffset + 24 + optionalSize, sectionCount * 40, b))
        return std::nullopt;
    for (quint32 i = 0; i < sectionCount; ++i) {
        const char* s = b.constData() + i * 40;
        image.sections.push_back({u32(s + 12), u32(s + 8), u32(s + 16), u32(s + 20)});
    }
    return image;
}

// One level of the resource tree: the offset (from the tree's start) named by
// the entry with the given id, or by the first entry when id is empty.
std::optional<quint32> resourceEntry(const PeFile& file, const Image& image, quint32 dirOffset,
                                     std::optional<quint32> id, bool wantDirectory)
{
    QByteArray b;
    const auto at = image.offsetOf(image.resourceRva + dirOffset, 16);
    if (!at || !file.read(*at, 16, b))
        return std::nullopt;
    const quint32 count = quint32(u16(b.constData() + 12)) + u16(b.constData() + 14);
    const auto entriesAt = image.offsetOf(image.resourceRva + dirOffset + 16, count * 8);
    if (count == 0 || !entriesAt || !file.read(*entriesAt, count * 8, b))
        return std::nullopt;
    for (quint32 i = 0; i < count; ++i) {
        const quint32 name = u32(b.constData() + i * 8);
        const quint32 target = u32(b.constData() + i * 8 + 4);
        if (id && name != *id)
            continue;
        if (bool(target & 0x80000000u) != wantDirectory)
            return std::nullopt;
        return target & 0x7fffffffu;
    }
    return std::nullopt;
}

QByteArray readVersionBlock(const PeFile& file)
{
    const auto image = readHeaders(file);
    if (!image)
        return {};
    auto offset = resourceEntry(file, *image, 0, RtVersion, true);
    if (offset)
        offset = resourceEntry(file, *image, *offset, std::nullopt, true);
    if (offset)
        offset = resourceEntry(file, *image, *offset, std::nullopt, false);
    QByteArray b;
    const auto dataEntry =
        offset ? image->offsetOf(image->resourceRva + *offset, 16) : std::nullopt;
    if (!dataEntry || !file.read(*dataEntry, 16, b))
        return {};
    const quint32 size = std::min(u32(b.constData() + 4), MaxBlock);
    const auto dataAt = image->offsetOf(u32(b.constData()), size);
    if (size < 6 || !dataAt || !file.read(*dataAt, size, b))
        return {};
    return b;
}

} // namespace

// A VS_VERSIONINFO node: length, value length, type, UTF-16 key, value,
// then child nodes, each part aligned to four bytes.
struct VersionResource::Node {
    int end = 0;
    QString key;
    int valueAt = 0;
    int valueBytes = 0;
    int childrenAt = 0;
};

namespace {

// UTF-16 text from at up to its NUL; without a NUL before end, none, unless
// the caller takes the text as it stands (a value missing its terminator).
std::optional<QString> utf16z(const QByteArray& b, int at, int end, int* after = nullptr,
                              bool lenient = false)
{
    QString s;
    for (int i = at; i + 1 < end; i += 2) {
        const char16_t c = u16(b.constData() + i);
        if (c == 0) {
            if (after)
                *after = i + 2;
            return s;
        }
        s += QChar(c);
    }
    return lenient ? std::optional<QString>(s) : std::nullopt;
}

} // namespace

std::optional<VersionResource::Node> VersionResource::find(const QStringList& path) const
{
    auto parse = [this](int at, int limit) -> std::optional<Node> {
        if (at + 6 > limit)
            return std::nullopt;
        const char* p = m_block.constData() + at;
        const int length = u16(p), valueLength = u16(p + 2), type = u16(p + 4);
        Node n;
        n.end = std::min(at + length, limit);
        int afterKey = 0;
        const auto key = length >= 6 ? utf16z(m_block, at + 6, n.end, &afterKey) : std::nullopt;
        if (!key)
            return std::nullopt;
        n.key = *key;
        n.valueAt = std::min(align4(afterKey), n.end);
        n.valueBytes = std::min(type == 1 ? valueLength * 2 : valueLength, n.end - n.valueAt);
        n.childrenAt = std::min(align4(n.valueAt + n.valueBytes), n.end);
        return n;
    };
    auto node = parse(0, int(m_block.size()));
    for (const QString& name : path) {
        if (!node)
            break;
        std::optional<Node> match;
        for (int at = node->childrenAt; !match && at + 6 <= node->end;) {
            const auto child = parse(at, node->end);
            if (!child || child->end <= at)
                return std::nullopt;
            if (child->key.compare(name, Qt::CaseInsensitive) == 0)
                match = child;
            at = align4(child->end);
        }
        node = match;
    }
    return node;
}

VersionResource VersionResource::fromFile(const QByteArray& path)
{
    const PeFile file(path);
    return VersionResource(readVersionBlock(file));
}

QString VersionResource::firstTranslation() const
{
    const auto node = find({QStringLiteral("VarFileInfo"), QStringLiteral("Translation")});
    if (!node || node->valueBytes < 4)
        return {};
    const char* p = m_block.constData() + node->valueAt;
    return QStringLiteral("%1%2")
        .arg(u16(p), 4, 16, QLatin1Char('0'))
        .arg(u16(p + 2), 4, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<QString> VersionResource::stringValue(const QString& table, const QString& name) const
{
    const auto node = find({QStringLiteral("StringFileInfo"), table, name});
    if (!node)
        return std::nullopt;
    return utf16z(m_block, node->valueAt, node->end, nullptr, true);
}

QString VersionResource::versionString(const QString& name) const
{
    if (isEmpty())
        return {};
    const QString table = firstTranslation();
    if (table.isEmpty())
        return {};
    return stringValue(table, name).value_or(QString());
}
