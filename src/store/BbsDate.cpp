#include "store/BbsDate.h"

#include <optional>

namespace krx {

namespace {

// Searched from the first entry; entry 37 (ERR) is never searched.
constexpr const char *monthTable[36] = {
    "TAM", "HEL", "MAA", "HUH", "TOU", "KES", "HEI", "ELO", "SYY", "LOK", "MAR", "JOU",
    "JAN", "FEB", "MAR", "APR", "MAJ", "JUN", "JUL", "AUG", "SEP", "OKT", "NOV", "DEC",
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The decimal number in `count` characters from `position`, if they are all digits.
std::optional<int> digitsAt(const QByteArray &text, int position, int count) {
    if (position < 0 || position + count > text.size())
        return std::nullopt;
    int value = 0;
    for (int i = position; i < position + count; ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

QDateTime validOrNow(const QDate &date, const QTime &time, const QDateTime &now) {
    if (!date.isValid() || !time.isValid())
        return now;
    return QDateTime(date, time);
}

QDateTime monthDayTime(const QByteArray &text, const QDateTime &now) {
    const auto month = digitsAt(text, 0, 2), day = digitsAt(text, 2, 2);
    const auto hour = digitsAt(text, 5, 2), minute = digitsAt(text, 7, 2);
    if (!month || !day || !hour || !minute)
        return now;
    return validOrNow(QDate(now.date().year(), *month, *day), QTime(*hour, *minute), now);
}

QDateTime dayMonthName(const QByteArray &text, const QDateTime &now) {
    const auto day = digitsAt(text, 0, 2);
    if (!day)
        return now;
    const QByteArray name = text.mid(text.indexOf('-') + 1, 3).toUpper();
    return validOrNow(QDate(now.date().year(), monthOfName(name), *day), QTime(0, 0, 1), now);
}

QDateTime yearMonthDayTime(const QByteArray &text, int century, const QDateTime &now) {
    const auto year = digitsAt(text, 0, 2), month = digitsAt(text, 2, 2);
    const auto day = digitsAt(text, 4, 2), hour = digitsAt(text, 7, 2);
    const auto minute = digitsAt(text, 10, 2);
    if (!year || !month || !day || !hour || !minute)
        return now;
    return validOrNow(QDate(century + *year, *month, *day), QTime(*hour, *minute), now);
}

} // namespace

int monthOfName(const QByteArray &name) {
    for (int entry = 1; entry <= 36; ++entry) {
        if (name == monthTable[entry - 1])
            return entry > 24 ? entry - 24 : entry > 12 ? entry - 12 : entry;
    }
    return 1;
}

QDateTime listingDateTime(const QByteArray &text, const QDateTime &now) {
    if (text.contains('/'))
        return monthDayTime(text, now);
    if (text.contains('-'))
        return dayMonthName(text, now);
    return yearMonthDayTime(text, text.startsWith('9') ? 1900 : 2000, now);
}

QDateTime unprotoDateTime(const QByteArray &word, const QDateTime &now) {
    const bool nineteen = word.startsWith('9');
    const QByteArray digits = nineteen || word.size() < 7 ? word : word.mid(1);
    const auto year = digitsAt(digits, 0, 2), month = digitsAt(digits, 2, 2);
    const auto day = digitsAt(digits, 4, 2);
    if (!year || !month || !day)
        return now;
    return validOrNow(QDate((nineteen ? 1900 : 2000) + *year, *month, *day), now.time(), now);
}

} // namespace krx
