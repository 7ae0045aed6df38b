#pragma once

#include "core/Language.h"
#include "store/HeaderRecord.h"

#include <QString>
#include <array>
#include <optional>

namespace krx {

// The counters of a list, named by the 0-based column where the list line shows them.
enum class CounterColumn : int {
    Total = 11,
    New = 18,
    Unread = 23,
    ToFetch = 28,
    NotSent = 33,
    Read = 38,
    ToKill = 43,
};

// The counter a status letter is counted in; nothing for the letters without one.
std::optional<CounterColumn> counterColumnOf(char status);

class ListCounters {
public:
    static constexpr std::array<CounterColumn, 7> columns{
        CounterColumn::Total,   CounterColumn::New,  CounterColumn::Unread, CounterColumn::ToFetch,
        CounterColumn::NotSent, CounterColumn::Read, CounterColumn::ToKill};

    int operator[](CounterColumn column) const { return values_[slot(column)]; }
    void add(CounterColumn column, int delta) { values_[slot(column)] += delta; }
    // Counts one header of a list whose seen mark is `seenMark`.
    void count(const HeaderRecord &record, qint32 seenMark);

    ListCounters &operator+=(const ListCounters &other);
    ListCounters &operator-=(const ListCounters &other);
    bool operator==(const ListCounters &) const = default;

private:
    static int slot(CounterColumn column);
    std::array<int, columns.size()> values_{};
};

// The lines of the list of lists: a 50-character field with the name from column 0 and the
// counters left-aligned in their columns (6 wide for the total, 5 for the others). A number
// too wide for its column is shown whole and pushes the rest to the right.
QString listLine(const QByteArray &name, const ListCounters *counters);
QString totalsLine(Language language, const ListCounters &totals);
QString columnHeaderLine(Language language);
// The main window's summary of the totals: new, unread and to fetch.
QString statusSummary(const ListCounters &totals);

} // namespace krx
