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
    // The version strings (sub-items 4 and 5) are read from the file when
    // first asked for: most views never show them, and reading every file's
    // first bytes would cost a disk read per row.
    bool versionsPending = false;
    static constexpr int FileVersionItem = 4;
    static constexpr int ProductVersionItem = 5;

    FileListRow() = default;
    FileListRow(QString caption, QStringList subItems, QByteArray rawPath = {});

    // The exact bytes of the path the caption names.
    QByteArray path() const;
    // Re-derives the keys after the texts changed.
    void deriveKeys();
};
