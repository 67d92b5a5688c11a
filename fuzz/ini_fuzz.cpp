// Settings text from anywhere: every key of the program, and names taken
// from the input itself.
#include "platform/IniFile.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* key : {"o_trash", "o_0byte", "L0", "L1"})
        (void)IniFile::valueIn(content, QStringLiteral("Opt"), QLatin1String(key),
                               QStringLiteral("<"));
    const QByteArray firstLine = content.left(content.indexOf('\n'));
    (void)IniFile::valueIn(content, QString::fromUtf8(firstLine), QString::fromUtf8(firstLine), {});
    return 0;
}
