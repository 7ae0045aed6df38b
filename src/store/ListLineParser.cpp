#include "store/ListLineParser.h"

#include "core/IniFile.h"
#include "store/BbsDate.h"
#include "store/DateConversion.h"

#include <algorithm>

namespace krx {

namespace {

constexpr char section[] = "lista";
constexpr int noGreaterColumn = 1000;

// A 1-based position over a line, with the moves the layout detection makes.
class Cursor {
public:
    explicit Cursor(const QByteArray &line) : line_(line) {}

    int p = 1;

    char at() const { return p >= 1 && p <= line_.size() ? line_.at(p - 1) : '\0'; }
    bool atEnd() const { return p > line_.size(); }

    void skipDigits() {
        while (at() >= '0' && at() <= '9')
            ++p;
    }
    void skipSpaces() {
        while (at() == ' ')
            ++p;
    }
    void skipWord() {
        while (!atEnd() && at() != ' ' && at() != '@')
            ++p;
    }
    void findType() {
        while (!atEnd() && at() != 'B' && at() != 'P' && at() != 'A')
            ++p;
    }
    QByteArray rest(int count) const { return line_.mid(p - 1, count); }

private:
    const QByteArray &line_;
};

// `count` characters from a 1-based column, trimmed; empty when the column is beyond the line.
QByteArray field(const QByteArray &line, int column, int count) {
    if (column < 1 || column > line.size() || count <= 0)
        return {};
    return line.mid(column - 1, count).trimmed();
}

// The smallest column above `column`, or 1000.
int nextColumnAfter(const ListColumns &c, int column) {
    int next = noGreaterColumn;
    for (const int other :
         {c.lst_type, c.lst_size, c.lst_to, c.lst_via, c.lst_from, c.lst_time, c.lst_title})
        if (other > column)
            next = std::min(next, other);
    return next;
}

// The digits at the start of `text` as a number; `complete` tells whether that was all of it.
qint32 leadingNumber(const QByteArray &text, bool &complete) {
    qint64 value = 0;
    int i = 0;
    for (; i < text.size() && text.at(i) >= '0' && text.at(i) <= '9'; ++i)
        value = std::min<qint64>(value * 10 + (text.at(i) - '0'), INT32_MAX);
    complete = i > 0 && i == text.size();
    return qint32(value);
}

} // namespace

bool ListColumns::valid() const {
    return lst_type && lst_size && lst_to && lst_via && lst_from && lst_time && lst_title;
}

void ListColumns::deriveEnds() {
    numberEnd = std::min({lst_type, lst_size, lst_to, lst_via, lst_from, lst_time, lst_title});
    sizeEnd = nextColumnAfter(*this, lst_size);
    timeEnd = nextColumnAfter(*this, lst_time);
}

ListColumns ListColumns::load(const IniFile &settings) {
    ListColumns c;
    c.lst_type = settings.readInteger(section, "lst_type", 0);
    c.lst_size = settings.readInteger(section, "lst_size", 0);
    c.lst_to = settings.readInteger(section, "lst_to", 0);
    c.lst_via = settings.readInteger(section, "lst_via", 0);
    c.lst_from = settings.readInteger(section, "lst_from", 0);
    c.lst_time = settings.readInteger(section, "lst_time", 0);
    c.lst_title = settings.readInteger(section, "lst_title", 0);
    if (c.valid())
        c.deriveEnds();
    return c;
}

std::optional<QString> ListColumns::save(IniFile &settings) const {
    const std::pair<const char *, int> values[] = {{"lst_type", lst_type},  {"lst_size", lst_size},
                                                   {"lst_to", lst_to},      {"lst_via", lst_via},
                                                   {"lst_from", lst_from},  {"lst_time", lst_time},
                                                   {"lst_title", lst_title}};
    for (const auto &[key, value] : values)
        if (std::optional<QString> error = settings.writeInteger(section, key, value))
            return error;
    return std::nullopt;
}

bool ListLineParser::DetectListColumns(const QByteArray &line) {
    if (line.size() < 2)
        return false;
    Cursor c(line);
    c.skipDigits();
    if (c.p <= 2)
        return false;
    ListColumns &l = columns_;
    c.skipSpaces();
    c.findType();
    l.lst_type = c.p;
    l.lst_size = c.p + 1;
    ++c.p;
    c.skipWord();
    c.skipSpaces();
    c.skipDigits();
    c.skipSpaces();
    l.lst_to = c.p;
    c.skipWord();
    c.skipSpaces();
    if (c.at() == '@') {
        l.lst_via = c.p + 1;
        ++c.p;
        c.skipWord();
        c.skipSpaces();
    }
    l.lst_from = c.p;
    c.skipWord();
    c.skipSpaces();
    l.lst_time = c.p;
    if (!c.rest(5).contains('/')) { // the date and the time are two words
        c.skipWord();
        c.skipSpaces();
    }
    c.skipWord();
    c.skipSpaces();
    l.lst_title = c.p;
    l.numberEnd = l.lst_type;
    l.sizeEnd = l.lst_to;
    l.timeEnd = l.lst_title;
    return true;
}

std::optional<qint32> ListLineParser::numberOf(const QByteArray &line) const {
    QByteArray text;
    if (columns_.numberEnd < 1)
        text = line.left(3);
    else if (columns_.numberEnd > line.size())
        return std::nullopt;
    else
        text = line.left(columns_.numberEnd - 1);
    int lastDigit = int(text.size()) - 1;
    while (lastDigit >= 0 && (text.at(lastDigit) < '0' || text.at(lastDigit) > '9'))
        --lastDigit;
    bool ok = false;
    const qint32 number = text.left(lastDigit + 1).toInt(&ok, 10);
    return ok ? std::optional<qint32>(number) : std::nullopt;
}

// The size field: leading characters that cannot start a size move its column right.
qint32 ListLineParser::readSize(const QByteArray &line, bool &moved, bool &fault) {
    const int width = columns_.sizeEnd - columns_.lst_size;
    QByteArray text =
        columns_.lst_size >= 1 && width > 0 ? line.mid(columns_.lst_size - 1, width) : QByteArray();
    while (!text.isEmpty() && text.at(0) != ' ' && (text.at(0) < '1' || text.at(0) > '9')) {
        text.remove(0, 1);
        ++columns_.lst_size;
        moved = true;
    }
    bool complete = false;
    const qint32 size = leadingNumber(text.trimmed(), complete);
    fault = !complete;
    return size;
}

ListLineResult ListLineParser::parse(const QByteArray &rawLine, qint32 newestNumber,
                                     const QDateTime &now) {
    ListLineResult result;
    const QByteArray line = rawLine.trimmed();
    if (!columns_.valid())
        result.layoutChanged = DetectListColumns(line);

    const std::optional<qint32> number = numberOf(line);
    if (!number || *number <= newestNumber || line.size() < columns_.lst_title - 3)
        return result;

    HeaderRecord record;
    const ListColumns &c = columns_;
    record.kind = c.lst_type >= 1 && c.lst_type <= line.size() ? line.at(c.lst_type - 1) : ' ';
    bool moved = false;
    record.size = readSize(line, moved, result.sizeFault);
    result.layoutChanged = result.layoutChanged || moved;

    const int shift = record.size > 99999 && c.lst_to >= 1 && c.lst_to <= line.size() &&
                              line.at(c.lst_to - 1) == ' '
                          ? 1
                          : 0;
    record.to = field(line, c.lst_to + shift, 6);
    record.via = c.lst_via > 0 ? field(line, c.lst_via + shift, 6) : QByteArray();
    record.from = field(line, c.lst_from + shift, 6);
    record.bbs_time =
        toRecordDate(listingDateTime(field(line, c.lst_time + shift, c.timeEnd - c.lst_time), now));
    record.stored_time = toRecordDate(now);
    const int titleStart = c.lst_title + shift;
    record.title =
        titleStart >= 1 && titleStart <= line.size() ? line.mid(titleStart - 1) : QByteArray();
    record.status = status::New;
    record.number = *number;
    record.bbs_number = *number;
    result.record = record;
    return result;
}

} // namespace krx
