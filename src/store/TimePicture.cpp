#include "store/TimePicture.h"

#include <algorithm>
#include <array>

namespace krx {

namespace {

// Sunday first, as the day-of-week of the records' calendar counts.
constexpr std::array<const char *, 7> finnishShortDays{"su", "ma", "ti", "ke", "to", "pe", "la"};
constexpr std::array<const char *, 7> finnishLongDays{
    "sunnuntai", "maanantai", "tiistai", "keskiviikko", "torstai", "perjantai", "lauantai"};
constexpr std::array<const char *, 7> englishShortDays{"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
constexpr std::array<const char *, 7> englishLongDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

constexpr std::array<const char *, 12> finnishShortMonths{"tammi", "helmi", "maalis", "huhti",
                                                          "touko", "kesä",  "heinä",  "elo",
                                                          "syys",  "loka",  "marras", "joulu"};
constexpr std::array<const char *, 12> finnishLongMonths{
    "tammikuu", "helmikuu", "maaliskuu", "huhtikuu", "toukokuu",  "kesäkuu",
    "heinäkuu", "elokuu",   "syyskuu",   "lokakuu",  "marraskuu", "joulukuu"};
constexpr std::array<const char *, 12> englishShortMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char *, 12> englishLongMonths{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

QString dayName(const QDate &date, bool longName, Language language) {
    const int sundayFirst = date.dayOfWeek() % 7;
    const bool english = language == Language::English;
    const auto &names = longName ? (english ? englishLongDays : finnishLongDays)
                                 : (english ? englishShortDays : finnishShortDays);
    return QString::fromUtf8(names[sundayFirst]);
}

QString monthName(const QDate &date, bool longName, Language language) {
    const bool english = language == Language::English;
    const auto &names = longName ? (english ? englishLongMonths : finnishLongMonths)
                                 : (english ? englishShortMonths : finnishShortMonths);
    return QString::fromUtf8(names[date.month() - 1]);
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// How many times the character at `at` repeats from there, exactly as written.
int runLength(const QString &picture, qsizetype at) {
    qsizetype end = at;
    while (end < picture.size() && picture[end] == picture[at])
        ++end;
    return int(end - at);
}

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

} // namespace

TimePicture::TimePicture(const QString &picture, Language language) : language_(language) {
    parse(picture);
}

void TimePicture::addText(const QString &text) {
    if (!pieces_.empty() && pieces_.back().part == Part::Text)
        pieces_.back().text += text;
    else
        pieces_.push_back({Part::Text, text});
}

void TimePicture::parse(const QString &picture) {
    // The last letter read decides whether m means minutes: it does right after an hour.
    QChar lastLetter;
    qsizetype at = 0;
    while (at < picture.size()) {
        const QChar written = picture[at];
        QChar letter = written.toUpper();
        if (isAsciiLetter(written)) {
            if (letter == QLatin1Char('M') && lastLetter == QLatin1Char('H'))
                letter = QLatin1Char('N');
            lastLetter = letter;
        }
        const int count = runLength(picture, at);
        switch (letter.unicode()) {
        case 'D': {
            static constexpr Part days[] = {Part::Day, Part::Day2, Part::DayShortName,
                                            Part::DayLongName};
            pieces_.push_back({days[std::min(count, 4) - 1], {}});
            at += count;
            break;
        }
        case 'M': {
            static constexpr Part months[] = {Part::Month, Part::Month2, Part::MonthShortName,
                                              Part::MonthLongName};
            pieces_.push_back({months[std::min(count, 4) - 1], {}});
            at += count;
            break;
        }
        case 'Y':
            pieces_.push_back({count <= 2 ? Part::Year2 : Part::Year4, {}});
            at += count;
            break;
        case 'H':
            pieces_.push_back({count == 1 ? Part::Hour : Part::Hour2, {}});
            at += count;
            break;
        case 'N':
            pieces_.push_back({count == 1 ? Part::Minute : Part::Minute2, {}});
            at += count;
            break;
        case 'S':
            pieces_.push_back({count == 1 ? Part::Second : Part::Second2, {}});
            at += count;
            break;
        case '/':
            addText(language_ == Language::English ? QStringLiteral("/") : QStringLiteral("."));
            ++at;
            break;
        case ':':
            addText(QStringLiteral(":"));
            ++at;
            break;
        case '"':
        case '\'': {
            // A quote without its closing one makes the rest of the picture literal.
            const qsizetype close = picture.indexOf(written, at + 1);
            const qsizetype end = close < 0 ? picture.size() : close;
            addText(picture.mid(at + 1, end - at - 1));
            at = close < 0 ? picture.size() : close + 1;
            break;
        }
        default:
            addText(QString(written));
            ++at;
            break;
        }
    }
}

QString TimePicture::format(const QDateTime &time) const {
    if (!time.isValid())
        return {};
    const QDate date = time.date();
    const QTime clock = time.time();
    QString result;
    for (const Piece &piece : pieces_) {
        switch (piece.part) {
        case Part::Text:
            result += piece.text;
            break;
        case Part::Day:
            result += QString::number(date.day());
            break;
        case Part::Day2:
            result += twoDigits(date.day());
            break;
        case Part::DayShortName:
            result += dayName(date, false, language_);
            break;
        case Part::DayLongName:
            result += dayName(date, true, language_);
            break;
        case Part::Month:
            result += QString::number(date.month());
            break;
        case Part::Month2:
            result += twoDigits(date.month());
            break;
        case Part::MonthShortName:
            result += monthName(date, false, language_);
            break;
        case Part::MonthLongName:
            result += monthName(date, true, language_);
            break;
        case Part::Year2:
            result += twoDigits(date.year() % 100);
            break;
        case Part::Year4:
            result += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            break;
        case Part::Hour:
            result += QString::number(clock.hour());
            break;
        case Part::Hour2:
            result += twoDigits(clock.hour());
            break;
        case Part::Minute:
            result += QString::number(clock.minute());
            break;
        case Part::Minute2:
            result += twoDigits(clock.minute());
            break;
        case Part::Second:
            result += QString::number(clock.second());
            break;
        case Part::Second2:
            result += twoDigits(clock.second());
            break;
        }
    }
    return result;
}

} // namespace krx
