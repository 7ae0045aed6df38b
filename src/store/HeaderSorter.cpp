#include "store/HeaderSorter.h"

namespace krx {

HeaderSorter::HeaderSorter(const ReadRules &rules, QByteArray ownCall, QByteArray personalFileName,
                           QByteArray defaultFileName)
    : rules_(rules), ownCall_(ownCall.toUpper()), personalFileName_(std::move(personalFileName)),
      defaultFileName_(std::move(defaultFileName)) {}

SortOutcome HeaderSorter::SortHeader(HeaderRecord &record) const {
    SortOutcome outcome;
    if (!ownCall_.isEmpty() && record.to.text().toUpper() == ownCall_) {
        record.status = status::ToFetch;
        outcome.target = personalFileName_;
        outcome.personal = true;
        return outcome;
    }
    outcome.target = defaultFileName_;
    record.status = status::New;
    for (const ReadRule &rule : rules_.rules) {
        if (rule.hasTab || !rule.matches(record))
            continue;
        switch (rule.action) {
        case 'D':
            outcome.dropped = true;
            break;
        case 'M':
            outcome.dropped = false;
            outcome.target = rule.listFileName;
            break;
        case 'C':
            outcome.copies.push_back({rule.listFileName, record});
            break;
        case '+':
            record.status = status::ToFetch;
            break;
        case '-':
            record.status = status::New;
            break;
        default:
            break;
        }
    }
    return outcome;
}

} // namespace krx
