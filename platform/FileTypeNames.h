#pragma once

#include <QByteArray>
#include <QHash>
#include <QMimeDatabase>
#include <QString>
#include <optional>

// Type names of files, found by name only (a file's content is never read),
// as the desktop's MIME database describes them. Cached by lower-case
// extension, since a search asks for the same few types thousands of times.
class FileTypeNames {
public:
    QString forName(const QString& fileName);
    // None when nothing exists at the path.
    std::optional<QString> forPath(const QByteArray& path);

    static QString extensionOf(const QString& fileName);

private:
    QString lookUp(const QString& lowerExtension) const;

    QMimeDatabase m_database;
    QHash<QString, QString> m_byExtension;
};
