#pragma once

#include <QByteArray>
#include <QString>

// A file-name mask: "*" any run of characters, "?" one character, letters
// compared without regard to case (Unicode case folding). "*" and "*.*"
// match every name, as the classic directory enumeration did. Names are the
// raw bytes of the file system; plain ASCII names never leave bytes.
class WildcardMask {
public:
    explicit WildcardMask(const QString& pattern);

    const QString& pattern() const { return m_pattern; }
    // Exactly "*.*": the catch-all that finds only empty files.
    bool isCatchAll() const { return m_pattern == QLatin1String("*.*"); }
    bool matches(const char* name, size_t length) const;
    bool matches(const QByteArray& name) const
    {
        return matches(name.constData(), size_t(name.size()));
    }

private:
    QString m_pattern;
    QString m_folded;
    QByteArray m_ascii; // the folded mask when it is plain ASCII
    bool m_everything = false;
};
