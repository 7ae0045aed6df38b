#pragma once

#include "store/HeaderRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

namespace krx {

class IniFile;

// Where the fields of the BBS listing lines are: 1-based columns, 0 while unknown, kept in
// section [lista] of the main settings file.
struct ListColumns {
    int lst_type = 0;
    int lst_size = 0;
    int lst_to = 0;
    int lst_via = 0; // the first character after the @ of the route
    int lst_from = 0;
    int lst_time = 0;
    int lst_title = 0;
    // Where the number, the size and the date/time end (the next field's column).
    int numberEnd = 0;
    int sizeEnd = 0;
    int timeEnd = 0;

    bool valid() const;
    // Sets the end columns from the neighbouring columns of a valid layout.
    void deriveEnds();

    static ListColumns load(const IniFile &settings);
    // Nothing on success, else the reason.
    std::optional<QString> save(IniFile &settings) const;

    bool operator==(const ListColumns &) const = default;
};

// What one listing line gave.
struct ListLineResult {
    std::optional<HeaderRecord> record; // nothing when the line is not a new header
    bool sizeFault = false;             // the size did not convert; the record has its start
    bool layoutChanged = false;         // the columns were detected or corrected: save them
};

// Reads BBS listing lines ("261692 BF   29352 KRX   @WW     QQ1ZZZ 0127/1730 New version")
// into header records, learning the columns from the first usable line.
class ListLineParser {
public:
    explicit ListLineParser(ListColumns columns = {}) : columns_(columns) {}

    const ListColumns &columns() const { return columns_; }

    // The automatic layout detection; false when the line gives nothing to go by.
    bool DetectListColumns(const QByteArray &line);

    // A header for a line whose number is above `newestNumber` and that reaches the title
    // column (less 3); its status is new, both dates are set, `stored_time` to `now`.
    ListLineResult parse(const QByteArray &line, qint32 newestNumber, const QDateTime &now);

private:
    std::optional<qint32> numberOf(const QByteArray &line) const;
    qint32 readSize(const QByteArray &line, bool &moved, bool &fault);

    ListColumns columns_;
};

} // namespace krx
