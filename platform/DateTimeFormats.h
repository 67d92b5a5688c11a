#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The process-wide short date and long time formats, in the classic notation
// ("dd/mm/yyyy", "hh:nn": d day, m month, y year, h hour, n minute; "/" and
// ":" stand for the system's date and time separators). Every date-and-time
// text the program makes or reads back follows them.
class DateTimeFormats {
public:
    struct Parts {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    };

    static void install(const QString& shortDate, const QString& longTime);
    static QString shortDateFormat();
    static QString longTimeFormat();

    // Date, then a blank and the time unless the time of day is 00:00:00.
    static QString text(const Parts& p);
    // A file time in local time, cut to the two seconds of a DOS time stamp.
    static QString fileTimeText(qint64 secondsSinceEpoch);
    static Parts localParts(qint64 secondsSinceEpoch);

    // Minutes on a continuous local calendar; only differences matter.
    static qint64 minuteKey(const Parts& p);
    static std::optional<Parts> parse(QStringView text);
};
