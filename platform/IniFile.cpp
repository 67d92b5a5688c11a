#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QRegularExpression>
#include <optional>

namespace {

QStringView trimmedBlanks(QStringView s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && (s[from] == u' ' || s[from] == u'\t'))
        ++from;
    while (to > from && (s[to - 1] == u' ' || s[to - 1] == u'\t'))
        --to;
    return s.mid(from, to - from);
}

// The name of a section header line, or nothing.
std::optional<QStringView> sectionOf(QStringView line)
{
    const QStringView t = trimmedBlanks(line);
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    return trimmedBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
}

// The key of a key line, or nothing for comments and lines without "=".
std::optional<QStringView> keyOf(QStringView line)
{
    const QStringView t = trimmedBlanks(line);
    const qsizetype eq = t.indexOf(u'=');
    if (t.startsWith(u';') || eq < 0)
        return std::nullopt;
    return trimmedBlanks(t.left(eq));
}

QString valueOf(QStringView line)
{
    QStringView v = trimmedBlanks(line.mid(line.indexOf(u'=') + 1));
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(IniFile::MaxValueLength).toString();
}

} // namespace

QStringList IniFile::lines() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? linesOf(file.readAll()) : QStringList();
}

QStringList IniFile::linesOf(const QByteArray& content)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList result = TextDecoding::decode(content).split(breaks);
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

QString IniFile::valueIn(const QByteArray& content, const QString& section, const QString& key,
                         const QString& defaultValue)
{
    const QStringList all = linesOf(content);
    const Located at = locate(all, section, key);
    return at.key < 0 ? defaultValue : valueOf(all[at.key]);
}

IniFile::Located IniFile::locate(const QStringList& lines, const QString& section,
                                 const QString& key)
{
    Located at;
    for (int i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i]);
        if (at.header >= 0 && name) {
            at.end = i;
            return at;
        }
        if (at.header < 0) {
            if (name && name->compare(section, Qt::CaseInsensitive) == 0)
                at.header = i;
            continue;
        }
        const auto k = keyOf(lines[i]);
        if (at.key < 0 && k && !key.isEmpty() && k->compare(key, Qt::CaseInsensitive) == 0)
            at.key = i;
    }
    at.end = int(lines.size());
    return at;
}

QString IniFile::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    QFile file(m_path);
    return valueIn(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), section, key,
                   defaultValue);
}

void IniFile::write(const QString& section, const QString& key, const QString& value) const
{
    QStringList all = lines();
    const Located at = locate(all, section, key);
    const QString line = (at.key >= 0 ? keyOf(all[at.key])->toString() : key) + u'=' + value;
    if (at.key >= 0) {
        if (valueOf(all[at.key]) == value)
            return;
        all[at.key] = line;
    } else if (at.header >= 0) {
        int last = at.end - 1; // after the section's last line that is not blank
        while (last > at.header && trimmedBlanks(all[last]).isEmpty())
            --last;
        all.insert(last + 1, line);
    } else {
        all << u'[' + section + u']' << line;
    }
    save(all);
}

void IniFile::erase(const QString& section) const
{
    QStringList all = lines();
    const Located at = locate(all, section, QString());
    if (at.header < 0)
        return;
    all.erase(all.begin() + at.header, all.begin() + at.end);
    save(all);
}

void IniFile::save(const QStringList& lines) const
{
    AtomicFile::replaceLines(m_path, lines);
}
