#pragma once

#include <QString>
#include <QStringList>

// Settings files with the classic private-profile semantics, so that a file
// written by hand or by the Windows program reads as it did there: names
// match without case, the first section and the first key of a name win,
// values are trimmed and lose one pair of outer quotes, ";" starts a comment.
// Every change replaces the file atomically and raises IoError on failure.
class IniFile {
public:
    static constexpr int MaxValueLength = 1023;

    explicit IniFile(QString path)
        : m_path(std::move(path))
    {
    }

    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    void write(const QString& section, const QString& key, const QString& value) const;
    void erase(const QString& section) const;

    // The value of a key in settings text, as read() finds it in a file.
    static QString valueIn(const QByteArray& content, const QString& section, const QString& key,
                           const QString& defaultValue);

private:
    struct Located {
        int header = -1; // line of the section header, -1 when absent
        int end = 0;     // first line after the section
        int key = -1;    // line of the key, -1 when absent
    };
    QStringList lines() const;
    static QStringList linesOf(const QByteArray& content);
    static Located locate(const QStringList& lines, const QString& section, const QString& key);
    void save(const QStringList& lines) const;

    QString m_path;
};
