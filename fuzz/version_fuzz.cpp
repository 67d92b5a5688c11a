// Program files from anywhere, read as files (through an in-memory file) and
// their version blocks parsed directly.
#include "platform/VersionResource.h"

#include <QByteArray>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)VersionResource::fromBlock(bytes).versionString(QStringLiteral("FileVersion"));
    const int fd = memfd_create("pe", MFD_CLOEXEC);
    if (fd < 0)
        return 0;
    if (write(fd, data, size) == ssize_t(size)) {
        const QByteArray path = "/proc/self/fd/" + QByteArray::number(fd);
        const VersionResource v = VersionResource::fromFile(path);
        (void)v.versionString(QStringLiteral("FileVersion"));
        (void)v.versionString(QStringLiteral("ProductVersion"));
    }
    close(fd);
    return 0;
}
