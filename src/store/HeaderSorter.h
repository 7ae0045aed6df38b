#pragma once

#include "store/HeaderRecord.h"
#include "store/ReadRules.h"

#include <QByteArray>
#include <vector>

namespace krx {

// A copy that a C rule asks for: the record as it was when the rule matched.
struct RuleCopy {
    QByteArray listFileName;
    HeaderRecord record;
};

// Where a captured header goes.
struct SortOutcome {
    bool dropped = false;
    QByteArray target;     // list file name, as the rule wrote it
    bool personal = false; // addressed to the own call: it takes a new local number
    std::vector<RuleCopy> copies;
};

// Decides the list of a captured header: a header to the own call goes to the personal list
// to be fetched; any other starts in the default list as new and every rule of read.ini
// without a TAB acts in file order, so the last matching M or D decides the target and the
// last matching + or - the status.
class HeaderSorter {
public:
    HeaderSorter(const ReadRules &rules, QByteArray ownCall, QByteArray personalFileName,
                 QByteArray defaultFileName);

    // May change the record's status.
    SortOutcome SortHeader(HeaderRecord &record) const;

private:
    const ReadRules &rules_;
    QByteArray ownCall_;
    QByteArray personalFileName_;
    QByteArray defaultFileName_;
};

} // namespace krx
