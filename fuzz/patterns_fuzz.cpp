// Pattern files from anywhere.
#include "settings/PatternFile.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (void)PatternFile::parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
