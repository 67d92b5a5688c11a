// A mask and a name, both from the input, split at the first NUL.
#include "search/WildcardMask.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray pattern = split < 0 ? bytes : bytes.left(split);
    const QByteArray name = split < 0 ? bytes : bytes.mid(split + 1);
    (void)WildcardMask(QString::fromUtf8(pattern)).matches(name);
    return 0;
}
