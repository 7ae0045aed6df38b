#pragma once

#include <QByteArray>
#include <QDateTime>

namespace krx {

// The month of a three-letter month name: the first match in the table of Finnish, Swedish
// and English abbreviations (so MAR is November, as in Finnish); 1 when none matches.
int monthOfName(const QByteArray &name);

// The BBS date of a listing line's date/time text, in the first of these forms that applies
// (the year is the current one unless the form has it): MMDD/HHMM; DD-MON (time 00:00:01);
// YYMMDD HH:MM from 1900 when it starts with 9, from 2000 otherwise. A text that does not
// give a valid date and time gives `now`.
QDateTime listingDateTime(const QByteArray &text, const QDateTime &now);

// The date of an unproto header's date word with the current time of day: YYMMDD from 1900
// when it starts with 9; YYMMDD from 2000 when shorter than 7 characters; otherwise the
// six characters after the first, YYMMDD from 2000. A word that does not give a valid date
// gives `now`.
QDateTime unprotoDateTime(const QByteArray &word, const QDateTime &now);

} // namespace krx
