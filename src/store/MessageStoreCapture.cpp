// Capture of new headers: sorting by the rules, storing, and the BBS listing and unproto lines.

#include "core/IniFile.h"
#include "store/HeaderSorter.h"
#include "store/ListFile.h"
#include "store/MessageStore.h"

namespace krx {

// The list a captured header can be stored in: one of the lists whose file is there.
std::optional<int> MessageStore::capturedTarget(const QByteArray &listFileName) {
    const std::optional<int> listIndex = catalog_.indexOfFile(listFileName);
    if (listIndex && ListFile(catalog_.listPath(*listIndex)).exists())
        return listIndex;
    reporter_.show(texts::missingRuleList.in(settings_.language) +
                   QString::fromLatin1(listFileName) +
                   texts::missingRuleListEnd.in(settings_.language));
    return std::nullopt;
}

void MessageStore::copyByRule(const QByteArray &listFileName, const HeaderRecord &record) {
    if (const std::optional<int> listIndex = capturedTarget(listFileName))
        appendTo(*listIndex, record);
}

std::optional<QByteArray> MessageStore::SortHeader(HeaderRecord &record) {
    if (catalog_.count() < 2)
        return std::nullopt;
    const HeaderSorter sorter(rules_, settings_.ownCall, catalog_.fileName(personalList),
                              catalog_.fileName(defaultList));
    const SortOutcome outcome = sorter.SortHeader(record);
    for (const RuleCopy &copy : outcome.copies)
        copyByRule(copy.listFileName, copy.record);
    if (outcome.personal)
        record.number = TakeLocalNumber();
    if (outcome.dropped)
        return std::nullopt;
    return outcome.target;
}

bool MessageStore::StoreCapturedHeader(const HeaderRecord &record, const QByteArray &listFileName) {
    if (catalog_.count() < 2)
        return false;
    const int listIndex = capturedTarget(listFileName).value_or(defaultList);
    return appendTo(listIndex, record).has_value();
}

void MessageStore::saveListColumns() {
    if (const std::optional<QString> error = listParser_.columns().save(services_.mainSettings))
        reporter_.report(failedFile(services_.mainSettings.path(), *error));
}

void MessageStore::ParseListLine(const QByteArray &line, bool store) {
    const ListLineResult parsed = listParser_.parse(line, newestNumber_, services_.clock.now());
    if (parsed.layoutChanged)
        saveListColumns();
    if (!parsed.record)
        return;
    if (parsed.sizeFault)
        emit captionNotice(texts::sizeFieldFault.in(settings_.language));
    HeaderRecord record = *parsed.record;
    const qint32 number = record.number;
    // A probing listing only moves the newest number: no rule may copy or number anything.
    if (!store) {
        SetNewestNumber(number);
        return;
    }
    if (const std::optional<QByteArray> target = SortHeader(record)) {
        lastStoredNumber_ = number;
        StoreCapturedHeader(record, *target);
    } else {
        SetNewestNumber(number);
    }
}

UnprotoHeader::Outcome MessageStore::CaptureUnprotoHeader(const QByteArray &line, qint32 number) {
    UnprotoHeader header = ParseUnprotoHeader(line, number, services_.clock.now(), services_.oem);
    if (header.outcome == UnprotoHeader::Outcome::SizeError) {
        reporter_.show(texts::unprotoSizeError);
        return header.outcome;
    }
    if (header.outcome == UnprotoHeader::Outcome::Parsed) {
        if (const std::optional<QByteArray> target = SortHeader(header.record))
            StoreCapturedHeader(header.record, *target);
    }
    SetNewestNumber(number);
    return header.outcome;
}

} // namespace krx
