#include "search/SizeText.h"

QString SizeText(qint64 count)
{
    constexpr qint64 KB = 1024, MB = 1024 * 1024;
    if (count >= 2 * MB)
        return QStringLiteral("~%1 Megabytes").arg(count / MB);
    if (count >= MB)
        return QStringLiteral("~%1 Megabyte").arg(count / MB);
    if (count >= 2 * KB)
        return QStringLiteral("~%1 Kilobytes").arg(count / KB);
    if (count < 2)
        return QStringLiteral("%1 Byte").arg(count);
    return QStringLiteral("%1 Bytes").arg(count);
}
