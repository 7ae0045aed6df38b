#pragma once

#include "store/HeaderRecord.h"

#include <QByteArray>
#include <vector>

namespace krx {

// One line of read.ini, upper-cased as loaded. Fixed columns: 1 action (D drop, M move,
// C copy, + mark to fetch, - unmark), 3 field tested (< sender, > addressee, @ route,
// P private, S subject contains), 5-16 list file name, 18-57 value.
struct ReadRule {
    QByteArray line;
    char action = ' ';
    char field = ' ';
    QByteArray listFileName;
    QByteArray value;
    bool hasTab = false; // kept for the debug window, never applied

    bool matches(const HeaderRecord &record) const;
};

struct ReadRules {
    std::vector<ReadRule> rules;
    bool tabLinesFound = false;
};

ReadRules parseReadRules(const QByteArray &content);

} // namespace krx
