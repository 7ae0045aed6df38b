#pragma once

#include "core/Language.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace krx {

// A date-time picture as the lists window's time column uses it (`ajan esitys muoto`):
//   d dd ddd dddd   day, two-digit day, short and long day name
//   m mm mmm mmmm   month, two-digit month, short and long month name; m and mm right after
//                   h or hh (no other letter between) are minutes
//   yy yyyy         two- and four-digit year
//   h hh, n nn, s ss  hour, minute, second, plain and two-digit
//   "..." '...'     literal text
//   /               the date separator: "." with Finnish texts, "/" with English
//   :               the time separator
// The letters may be written in either case; anything else is copied as it is. Names are in
// the language of the texts.
class TimePicture {
public:
    TimePicture(const QString &picture, Language language);

    QString format(const QDateTime &time) const;

private:
    enum class Part {
        Text,
        Day,
        Day2,
        DayShortName,
        DayLongName,
        Month,
        Month2,
        MonthShortName,
        MonthLongName,
        Year2,
        Year4,
        Hour,
        Hour2,
        Minute,
        Minute2,
        Second,
        Second2,
    };
    struct Piece {
        Part part;
        QString text; // for Part::Text
    };

    void parse(const QString &picture);
    void addText(const QString &text);

    Language language_;
    std::vector<Piece> pieces_;
};

} // namespace krx
