#include "platform/DateTimeFormats.h"

#include <QLocale>
#include <ctime>

namespace {

struct Formats {
    QString shortDate = QStringLiteral("dd/mm/yyyy");
    QString longTime = QStringLiteral("hh:nn");
    QChar dateSeparator = u'/';
    QChar timeSeparator = u':';
};

Formats& formats()
{
    static Formats f;
    return f;
}

QChar separatorOf(const QString& qtFormat, QChar fallback)
{
    bool quoted = false;
    for (const QChar c : qtFormat) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

int runLength(QStringView fmt, int i)
{
    int n = 1;
    while (i + n < fmt.size() && fmt[i + n].toLower() == fmt[i].toLower())
        ++n;
    return n;
}

// Which field a format letter stands for; month is 'm' in a date, the
// minute is 'n', as in the classic notation.
int* fieldFor(QChar letter, DateTimeFormats::Parts& p)
{
    switch (letter.toLower().unicode()) {
    case 'd':
        return &p.day;
    case 'm':
        return &p.month;
    case 'y':
        return &p.year;
    case 'h':
        return &p.hour;
    case 'n':
        return &p.minute;
    case 's':
        return &p.second;
    default:
        return nullptr;
    }
}

QChar literalFor(QChar c)
{
    if (c == u'/')
        return formats().dateSeparator;
    if (c == u':')
        return formats().timeSeparator;
    return c;
}

void render(QStringView fmt, DateTimeFormats::Parts p, QString& out)
{
    for (int i = 0; i < fmt.size();) {
        const int n = runLength(fmt, i);
        if (int* field = fieldFor(fmt[i], p)) {
            int value = *field;
            int width = n >= 2 ? 2 : 1;
            if (fmt[i].toLower() == u'y') {
                width = n >= 3 ? 4 : 2;
                value = n >= 3 ? value : value % 100;
            }
            out += QString::number(value).rightJustified(width, u'0');
            i += n;
        } else {
            out += literalFor(fmt[i]);
            ++i;
        }
    }
}

bool readNumber(QStringView text, int& pos, int maxDigits, int& value)
{
    int digits = 0;
    value = 0;
    while (pos < text.size() && digits < maxDigits && text[pos].isDigit()) {
        value = value * 10 + text[pos].digitValue();
        ++pos;
        ++digits;
    }
    return digits > 0;
}

bool scan(QStringView fmt, QStringView text, int& pos, DateTimeFormats::Parts& p)
{
    for (int i = 0; i < fmt.size();) {
        const int n = runLength(fmt, i);
        if (int* field = fieldFor(fmt[i], p)) {
            const bool year = fmt[i].toLower() == u'y';
            if (!readNumber(text, pos, year ? 4 : 2, *field))
                return false;
            if (year && n < 3 && *field < 100)
                *field += *field < 50 ? 2000 : 1900;
            i += n;
        } else {
            if (pos >= text.size() || text[pos] != literalFor(fmt[i]))
                return false;
            ++pos;
            ++i;
        }
    }
    return true;
}

bool valid(const DateTimeFormats::Parts& p)
{
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > days[p.month - 1])
        return false;
    const bool leap = (p.year % 4 == 0 && p.year % 100 != 0) || p.year % 400 == 0;
    if (p.month == 2 && p.day == 29 && !leap)
        return false;
    return p.hour < 24 && p.minute < 60 && p.second < 60;
}

} // namespace

void DateTimeFormats::install(const QString& shortDate, const QString& longTime)
{
    Formats& f = formats();
    const QLocale locale = QLocale::system();
    f.shortDate = shortDate;
    f.longTime = longTime;
    f.dateSeparator = separatorOf(locale.dateFormat(QLocale::ShortFormat), u'/');
    f.timeSeparator = separatorOf(locale.timeFormat(QLocale::ShortFormat), u':');
}

QString DateTimeFormats::shortDateFormat()
{
    return formats().shortDate;
}
QString DateTimeFormats::longTimeFormat()
{
    return formats().longTime;
}

QString DateTimeFormats::text(const Parts& p)
{
    QString out;
    out.reserve(16);
    render(formats().shortDate, p, out);
    if (p.hour != 0 || p.minute != 0 || p.second != 0) {
        out += u' ';
        render(formats().longTime, p, out);
    }
    return out;
}

DateTimeFormats::Parts DateTimeFormats::localParts(qint64 secondsSinceEpoch)
{
    const time_t t = static_cast<time_t>(secondsSinceEpoch);
    struct tm tm = {};
    if (!localtime_r(&t, &tm))
        gmtime_r(&t, &tm);
    return Parts{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

QString DateTimeFormats::fileTimeText(qint64 secondsSinceEpoch)
{
    Parts p = localParts(secondsSinceEpoch);
    p.second &= ~1;
    return text(p);
}

// Days from civil (proleptic Gregorian), after H. Hinnant's algorithm.
qint64 DateTimeFormats::minuteKey(const Parts& p)
{
    const qint64 y = p.year - (p.month <= 2 ? 1 : 0);
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (p.month + (p.month > 2 ? -3 : 9)) + 2) / 5 + p.day - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const qint64 days = era * 146097 + doe;
    return days * 1440 + p.hour * 60 + p.minute;
}

std::optional<DateTimeFormats::Parts> DateTimeFormats::parse(QStringView text)
{
    Parts p;
    int pos = 0;
    const QStringView trimmed = text.trimmed();
    if (!scan(formats().shortDate, trimmed, pos, p))
        return std::nullopt;
    if (pos < trimmed.size()) {
        if (trimmed[pos] != u' ')
            return std::nullopt;
        ++pos;
        if (!scan(formats().longTime, trimmed, pos, p) || pos != trimmed.size())
            return std::nullopt;
    }
    if (!valid(p))
        return std::nullopt;
    return p;
}
