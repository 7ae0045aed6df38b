#pragma once

#include "core/OemConversion.h"
#include "store/HeaderRecord.h"

#include <QByteArray>
#include <QDateTime>

namespace krx {

struct UnprotoHeader {
    enum class Outcome {
        Parsed,
        SizeError,  // the size did not convert: nothing is stored, the newest number stays
        Unreadable, // words are missing: nothing is stored, the newest number advances
    };
    Outcome outcome = Outcome::Unreadable;
    HeaderRecord record;
};

// Reads an unproto header broadcast, given the text after the message number (trimmed):
// type word, size, addressee with an optional @route, sender, date, title.
UnprotoHeader ParseUnprotoHeader(const QByteArray &line, qint32 number, const QDateTime &now,
                                 const OemConversion &oem);

} // namespace krx
