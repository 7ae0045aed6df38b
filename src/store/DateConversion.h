#pragma once

#include <QDateTime>

namespace krx {

// Dates in records count days from 1899-12-30 as a double whose fraction is the time of
// day; they hold local (wall-clock) time.
double toRecordDate(const QDateTime &localTime);
QDateTime fromRecordDate(double days);
// The whole days of a record date, truncated as the purge counts them.
qint64 wholeDays(double days);

// The nine integers the companion library gives for a time stamp, in the order of the C
// library's broken-down time, except that the month counts from 1 and the year is whole.
struct BrokenDownTime {
    qint32 second = 0;
    qint32 minute = 0;
    qint32 hour = 0;
    qint32 dayOfMonth = 1;
    qint32 month = 1;
    qint32 year = 1970;
    qint32 dayOfWeek = 0; // 0 = Sunday
    qint32 dayOfYear = 0; // 0 = 1 January
    qint32 daylightSaving = 0;
};

// Turns the 32-bit time stamp of an imported header (seconds since 1970, shown in local
// time) into its broken-down time. A stamp before 1970 is taken as 1970-01-01 00:00:00 UTC,
// so that the result is always a valid date.
BrokenDownTime muunna_aika(qint32 stamp);
// The local date-time of a broken-down time, milliseconds 0.
QDateTime dateTimeOf(const BrokenDownTime &time);

} // namespace krx
