// The compound-file test on headers and files from anywhere.
#include "platform/CompoundFile.h"

#include <QByteArray>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (void)CompoundFile::isStorageHeader(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const int fd = memfd_create("cfb", MFD_CLOEXEC);
    if (fd < 0)
        return 0;
    if (write(fd, data, size) == ssize_t(size))
        (void)CompoundFile::isStorageFile("/proc/self/fd/" + QByteArray::number(fd));
    close(fd);
    return 0;
}
