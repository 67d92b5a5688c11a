#include "FileList/FileListRow.h"

#include "platform/DateTimeFormats.h"

#include <QDateTime>
#include <QFile>

FileListRow::FileListRow(QString caption_, QStringList subItems_, QByteArray rawPath)
    : caption(std::move(caption_))
    , subItems(std::move(subItems_))
{
    if (!rawPath.isEmpty() && QFile::encodeName(caption) != rawPath)
        nativePath = std::move(rawPath);
    deriveKeys();
}

QByteArray FileListRow::path() const
{
    return nativePath.isEmpty() ? QFile::encodeName(caption) : nativePath;
}

// A size that is no number counts as 0; a date that does not parse counts as
// the moment the row got its texts.
void FileListRow::deriveKeys()
{
    bool ok = false;
    sizeKey = subItems.value(0).trimmed().toLongLong(&ok);
    if (!ok)
        sizeKey = 0;
    const auto date = DateTimeFormats::parse(subItems.value(2));
    dateKey = DateTimeFormats::minuteKey(
        date ? *date : DateTimeFormats::localParts(QDateTime::currentSecsSinceEpoch()));
}
