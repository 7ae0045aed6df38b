#include "store/ListCounters.h"

#include "core/CodePage.h"
#include "store/StoreTexts.h"

#include <algorithm>

namespace krx {

namespace {

constexpr int lineWidth = 50;

// Writes `text` from `column`, or one blank after what the line already holds when that
// reaches the column, so that nothing is overwritten or cut.
void place(QString &line, int column, const QString &text) {
    if (line.size() < column)
        line += QString(column - line.size(), QLatin1Char(' '));
    else if (!line.isEmpty())
        line += QLatin1Char(' ');
    line += text;
}

QString padded(QString line) {
    if (line.size() < lineWidth)
        line += QString(lineWidth - line.size(), QLatin1Char(' '));
    return line;
}

QString countersLine(const QString &label, const ListCounters &counters) {
    QString line = label;
    for (const CounterColumn column : ListCounters::columns)
        place(line, int(column), QString::number(counters[column]));
    return padded(line);
}

} // namespace

std::optional<CounterColumn> counterColumnOf(char status) {
    switch (status) {
    case 'R':
        return CounterColumn::Unread;
    case 'r':
        return CounterColumn::ToFetch;
    case 'N':
        return CounterColumn::NotSent;
    case 'Y':
        return CounterColumn::Read;
    case 'K':
        return CounterColumn::ToKill;
    default:
        return std::nullopt;
    }
}

int ListCounters::slot(CounterColumn column) {
    return int(std::find(columns.begin(), columns.end(), column) - columns.begin());
}

void ListCounters::count(const HeaderRecord &record, qint32 seenMark) {
    add(CounterColumn::Total, 1);
    if (record.number > seenMark)
        add(CounterColumn::New, 1);
    if (const std::optional<CounterColumn> column = counterColumnOf(record.status))
        add(*column, 1);
}

ListCounters &ListCounters::operator+=(const ListCounters &other) {
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i] += other.values_[i];
    return *this;
}

ListCounters &ListCounters::operator-=(const ListCounters &other) {
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i] -= other.values_[i];
    return *this;
}

QString listLine(const QByteArray &name, const ListCounters *counters) {
    const QString label = ansiToString(name);
    return counters ? countersLine(label, *counters) : padded(label);
}

QString totalsLine(Language language, const ListCounters &totals) {
    return countersLine(texts::totalLabel.in(language), totals);
}

QString columnHeaderLine(Language language) {
    QString line = texts::groupLabel.in(language);
    if (language == Language::English)
        place(line, int(CounterColumn::Total), QStringLiteral("MSG"));
    static constexpr std::pair<CounterColumn, char> letters[] = {
        {CounterColumn::New, 'U'},     {CounterColumn::Unread, 'R'}, {CounterColumn::ToFetch, 'r'},
        {CounterColumn::NotSent, 'N'}, {CounterColumn::Read, 'Y'},   {CounterColumn::ToKill, 'K'}};
    for (const auto &[column, letter] : letters)
        place(line, int(column), QString(QLatin1Char(letter)));
    return padded(line);
}

QString statusSummary(const ListCounters &totals) {
    return QStringLiteral("U:%1 R:%2 r:%3")
        .arg(totals[CounterColumn::New])
        .arg(totals[CounterColumn::Unread])
        .arg(totals[CounterColumn::ToFetch]);
}

} // namespace krx
