#include "store/HeaderGridLayout.h"

#include "core/CodePage.h"
#include "core/IniFile.h"
#include "store/DateConversion.h"

#include <cmath>

namespace krx {

namespace {

constexpr char section[] = "otsakelista";

// The keys of [otsakelista] in the order of HeaderGridLayout::fields.
constexpr std::array<const char *, HeaderGridLayout::fields.size()> positionKeys{
    "otsake_numero", "otsake_type", "otsake_status", "otsake_size", "otsake_to",
    "otsake_via",    "otsake_from", "otsake_title",  "otsake_time"};

// Record dates far outside any calendar (or not numbers at all) show as nothing.
constexpr double latestRecordDate = 2958465.0; // 9999-12-31

QString letter(char c) {
    return c == '\0' ? QString() : ansiToString(QByteArray(1, c));
}

} // namespace

const QByteArray HeaderGridLayout::defaultTimeFormat = "dd.mm.yy\" \"hh:nn:ss";

HeaderGridLayout HeaderGridLayout::load(const IniFile &mainFile) {
    HeaderGridLayout layout;
    for (std::size_t i = 0; i < fields.size(); ++i)
        layout.positions[i] = mainFile.readInteger(section, positionKeys[i], layout.positions[i]);
    layout.timeFormat = mainFile.readString(section, "ajan esitys muoto", defaultTimeFormat);
    return layout;
}

bool HeaderGridLayout::shows(HeaderField field) const {
    const int at = position(field);
    return at >= 0 && at <= lastColumn;
}

int HeaderGridLayout::columnCount() const {
    int count = 0;
    for (const HeaderField field : fields)
        if (shows(field))
            count = std::max(count, position(field) + 1);
    return count;
}

std::optional<HeaderField> HeaderGridLayout::fieldAt(int column) const {
    std::optional<HeaderField> found;
    for (const HeaderField field : fields)
        if (shows(field) && position(field) == column)
            found = field;
    return found;
}

QString headerCellText(const HeaderRecord &record, HeaderField field, const TimePicture &time) {
    switch (field) {
    case HeaderField::Number:
        return QString::number(record.number);
    case HeaderField::Type:
        return letter(record.kind);
    case HeaderField::Status:
        return letter(record.status);
    case HeaderField::Size:
        return QString::number(record.size);
    case HeaderField::To:
        return ansiToString(record.to.text());
    case HeaderField::Via:
        return ansiToString(record.via.text());
    case HeaderField::From:
        return ansiToString(record.from.text());
    case HeaderField::Title:
        return ansiToString(record.title.text());
    case HeaderField::Time:
        if (!std::isfinite(record.bbs_time) || std::fabs(record.bbs_time) > latestRecordDate)
            return {};
        return time.format(fromRecordDate(record.bbs_time));
    }
    return {};
}

} // namespace krx
