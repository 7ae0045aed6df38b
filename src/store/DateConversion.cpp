#include "store/DateConversion.h"

#include <cmath>

namespace krx {

namespace {

constexpr qint64 millisecondsPerDay = 86400000;

QDate recordEpoch() {
    return QDate(1899, 12, 30);
}

} // namespace

double toRecordDate(const QDateTime &localTime) {
    const qint64 days = recordEpoch().daysTo(localTime.date());
    const double fraction = double(localTime.time().msecsSinceStartOfDay()) / millisecondsPerDay;
    // Before the epoch the whole part counts back while the fraction still counts forward.
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

QDateTime fromRecordDate(double days) {
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const auto milliseconds =
        std::min<qint64>(std::llround(fraction * millisecondsPerDay), millisecondsPerDay - 1);
    return QDateTime(recordEpoch().addDays(qint64(whole)),
                     QTime::fromMSecsSinceStartOfDay(int(milliseconds)));
}

qint64 wholeDays(double days) {
    return qint64(std::trunc(days));
}

BrokenDownTime muunna_aika(qint32 stamp) {
    const QDateTime local =
        QDateTime::fromSecsSinceEpoch(std::max<qint32>(stamp, 0), Qt::LocalTime);
    const QDate date = local.date();
    const QTime time = local.time();
    BrokenDownTime result;
    result.second = time.second();
    result.minute = time.minute();
    result.hour = time.hour();
    result.dayOfMonth = date.day();
    result.month = date.month();
    result.year = date.year();
    result.dayOfWeek = date.dayOfWeek() % 7;
    result.dayOfYear = date.dayOfYear() - 1;
    result.daylightSaving = local.isDaylightTime() ? 1 : 0;
    return result;
}

QDateTime dateTimeOf(const BrokenDownTime &time) {
    return QDateTime(QDate(time.year, time.month, time.dayOfMonth),
                     QTime(time.hour, time.minute, time.second));
}

} // namespace krx
