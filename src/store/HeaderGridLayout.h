#pragma once

#include "store/HeaderRecord.h"
#include "store/TimePicture.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace krx {

class IniFile;

// The fields of a header that the lists window's grid can show, in the order of [otsakelista].
enum class HeaderField { Number, Type, Status, Size, To, Via, From, Title, Time };

// Where the grid shows each field (section [otsakelista] of the main settings file): a
// column position from 0, or hidden when negative; and the picture of the time column.
struct HeaderGridLayout {
    static constexpr std::array<HeaderField, 9> fields{
        HeaderField::Number, HeaderField::Type,  HeaderField::Status,
        HeaderField::Size,   HeaderField::To,    HeaderField::Via,
        HeaderField::From,   HeaderField::Title, HeaderField::Time};
    // Positions beyond this hide their field: a mistyped value never makes a huge grid.
    static constexpr int lastColumn = 31;
    static const QByteArray defaultTimeFormat;

    std::array<int, fields.size()> positions{0, 1, 2, 3, 4, 5, 6, 7, -1};
    QByteArray timeFormat = defaultTimeFormat;

    static HeaderGridLayout load(const IniFile &mainFile);

    int position(HeaderField field) const { return positions[std::size_t(field)]; }
    bool shows(HeaderField field) const;
    // The largest position + 1.
    int columnCount() const;
    // The field a column shows; when two share a column the later one in the section's order.
    std::optional<HeaderField> fieldAt(int column) const;
};

// The text of one cell of a header's row: numbers in decimal, letters as they are, texts as
// stored (8-bit ANSI), the BBS time by the picture.
QString headerCellText(const HeaderRecord &record, HeaderField field, const TimePicture &time);

} // namespace krx
