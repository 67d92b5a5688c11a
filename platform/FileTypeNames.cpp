#include "platform/FileTypeNames.h"

#include <QFile>
#include <sys/stat.h>

QString FileTypeNames::extensionOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

QString FileTypeNames::lookUp(const QString& lowerExtension) const
{
    if (lowerExtension.isEmpty())
        return QStringLiteral("File");
    const QList<QMimeType> types =
        m_database.mimeTypesForFileName(QStringLiteral("x.") + lowerExtension);
    for (const QMimeType& type : types) {
        const QString comment = type.comment().trimmed();
        if (!comment.isEmpty())
            return comment;
    }
    return lowerExtension.toUpper() + QStringLiteral(" File");
}

QString FileTypeNames::forName(const QString& fileName)
{
    const int slash = fileName.lastIndexOf(u'/');
    const QString key = extensionOf(fileName.mid(slash + 1)).toLower();
    auto it = m_byExtension.constFind(key);
    if (it == m_byExtension.constEnd())
        it = m_byExtension.insert(key, lookUp(key));
    return *it;
}

std::optional<QString> FileTypeNames::forPath(const QByteArray& path)
{
    struct stat st;
    if (path.isEmpty() || lstat(path.constData(), &st) != 0)
        return std::nullopt;
    return forName(QFile::decodeName(path));
}
