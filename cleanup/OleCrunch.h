#pragma once

#include <QByteArray>
#include <QString>

// Compacts one compound file. The file is copied to its backup (path +
// ".KW2"), a helper process writes the compacted copy beside it under a
// temporary name and checks it, and only then does the copy take the file's
// place, in one rename. Whatever fails, the file stays exactly as it was.
class OleCrunch {
public:
    enum class Message { None, OpeningFailed, CrunchingFailed };
    struct Outcome {
        qint64 gain = 0;
        Message message = Message::None;
    };

    explicit OleCrunch(QString helperPath, int timeoutMs = 300000);

    Outcome crunch(const QByteArray& path, bool keepBackup) const;

    // A copy that keeps the permission bits, and the owner where allowed.
    static bool copyFile(const QByteArray& from, const QByteArray& to);

private:
    enum class Helper { Copied, CannotOpen, CannotCreate, Failed };
    Helper runHelper(const QByteArray& source, const QByteArray& target) const;

    QString m_helper;
    int m_timeoutMs;
};
