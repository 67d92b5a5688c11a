#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One row of the result list: the caption (a full path) and its sub-item
// texts, plus sort keys derived once from those texts.
struct FileListRow {
    QString caption;
    QStringList subItems;
    // The path's raw bytes, kept only when the caption cannot carry them
    // (a name that is not valid UTF-8).
    QByteArray nativePath;

    qint64 sizeKey = 0;
    qint64 dateKey = 0;

    FileListRow() = default;
    FileListRow(QString caption, QStringList subItems, QByteArray rawPath = {});

    // The exact bytes of the path the caption names.
    QByteArray path() const;
    // Re-derives the keys after the texts changed.
    void deriveKeys();
};
