#pragma once

#include <QByteArray>
#include <array>
#include <optional>
#include <vector>

namespace krx {

// How many days headers of each status are kept in one list, separately for private
// messages and for other kinds. A value below 1 keeps them for ever.
struct Retention {
    // Columns by status: new, fetch failed, to kill, read, fetched or to fetch, 7plus.
    static constexpr int statusCount = 6;
    std::array<int, statusCount> privateDays{0, 0, 0, 0, 0, 0};
    std::array<int, statusCount> otherDays{1000, 0, 0, 0, 0, 0};

    // Nothing for a status that is never purged.
    std::optional<int> daysFor(char kind, char status) const;
};

// One list of epurt.ini.
struct ListDefinition {
    QByteArray name; // upper case, without extension
    QByteArray line; // as written in the file
    Retention retention;

    QByteArray fileName() const { return name + ".lst"; }
};

// The lists of epurt.ini in file order: the first is the personal list, the second the
// default list.
struct ListDefinitions {
    std::vector<ListDefinition> lists;
    bool tabLinesDropped = false; // lines with a TAB are not lists
};

ListDefinitions parseListDefinitions(const QByteArray &content);

// The lines of a text file, without their line ends.
std::vector<QByteArray> textLines(const QByteArray &content);

} // namespace krx
