#include "store/MessageStore.h"

#include "core/IniFile.h"
#include "core/Settings.h"
#include "store/ListFile.h"
#include "store/MessageFiles.h"
#include "store/NumberFile.h"
#include "store/StoreStartup.h"
#include "store/WholeFile.h"

#include <algorithm>

namespace krx {

namespace {

constexpr char generalSection[] = "krx asetus";
constexpr int maxHeadersPerBlock = 500;
constexpr int numberWriteAttempts = 3;

} // namespace

StoreSettings StoreSettings::from(const Settings &settings, const IniFile &mainFile) {
    StoreSettings result;
    result.language = settings.language;
    result.ownCall = settings.ownCall;
    result.homeBbs = settings.homeBbs;
    result.headersPerBlock =
        std::clamp(mainFile.readInteger(generalSection, "OTSIKOITA KERRALLA", maxHeadersPerBlock),
                   1, maxHeadersPerBlock);
    return result;
}

MessageStore::MessageStore(ProgramDirectory directory, StoreSettings settings,
                           StoreServices services, QObject *parent)
    : QObject(parent), directory_(std::move(directory)), settings_(std::move(settings)),
      services_(services), reporter_(services.prompter, settings_.language),
      catalog_(directory_, settings_.language),
      maintenance_(directory_, catalog_, reporter_, settings_.headersPerBlock),
      listParser_(ListColumns::load(services.mainSettings)) {
    connect(&catalog_, &ListCatalog::listLineChanged, this, &MessageStore::listLineChanged);
    connect(&catalog_, &ListCatalog::totalsChanged, this, &MessageStore::totalsChanged);
    connect(&catalog_, &ListCatalog::newMessagesChanged, this, &MessageStore::newMessagesChanged);
}

MessageStore::~MessageStore() = default;

bool MessageStore::Start() {
    StoreStartup startup(directory_, catalog_, reporter_, maintenance_);
    std::optional<StartupState> state =
        startup.run(settings_.ownCall, settings_.homeBbs, settings_.headersPerBlock);
    if (!state)
        return false;
    newestNumber_ = state->newestNumber;
    localCounter_ = state->localCounter;
    rules_ = std::move(state->rules);
    catalog_.announceNewMessages();
    started_ = true;
    return true;
}

// ---- maintenance ----------------------------------------------------------------------------

// Record indexes change when a list is written anew.
void MessageStore::forgetQueues() {
    fetchQueue_.clear();
    sendQueue_.clear();
    currentFetch_ = {};
    currentSend_ = {};
}

void MessageStore::RepairList(int listIndex) {
    if (!catalog_.contains(listIndex) || !maintenance_.RepairList(listIndex))
        return;
    forgetQueues();
    emit listReplaced(listIndex);
}

void MessageStore::PurgeLists() {
    if (!started_)
        return;
    emit purgeStarted();
    const FileResult<QByteArray> epurt =
        readWholeFile(directory_.resolve(QStringLiteral("epurt.ini")));
    if (epurt.ok()) {
        const ListDefinitions lists = parseListDefinitions(epurt.value());
        maintenance_.PurgeLists(lists.lists, services_.clock.now(),
                                [this](int position) { emit purgingList(position); });
        forgetQueues();
        for (int list = 0; list < catalog_.count(); ++list)
            emit listReplaced(list);
    } else {
        reporter_.report(epurt.error());
    }
    emit purgeFinished();
}

// ---- record access --------------------------------------------------------------------------

std::optional<HeaderRecord> MessageStore::ReadHeader(int listIndex, int index) {
    return readRecord(listIndex, index, nullptr);
}

std::optional<int> MessageStore::WriteHeader(int listIndex, const HeaderRecord &record, int index) {
    if (!catalog_.contains(listIndex))
        return std::nullopt;
    const FileResult<int> written =
        ListFile(catalog_.listPath(listIndex)).WriteHeader(record, index);
    if (!written.ok()) {
        reporter_.report(written.error());
        return std::nullopt;
    }
    if (index < 0)
        emit headerAppended(listIndex, written.value(), record);
    else
        emit headerChanged(listIndex, index, record);
    return written.value();
}

bool MessageStore::hasMessageFile(int listIndex, qint32 number) const {
    return catalog_.contains(listIndex) &&
           MessageFolder(catalog_.messageFolderPath(listIndex)).hasMessage(number);
}

QString MessageStore::messagePath(int listIndex, qint32 number) const {
    const MessageFolder folder(catalog_.messageFolderPath(listIndex));
    const QStringList existing = folder.existing(number);
    return existing.isEmpty() ? folder.textPath(number) : existing.constFirst();
}

std::optional<HeaderRecord> MessageStore::readRecord(int listIndex, int index,
                                                     const PathWording *missing) {
    if (!catalog_.contains(listIndex))
        return std::nullopt;
    const FileResult<HeaderRecord> read = ListFile(catalog_.listPath(listIndex)).ReadHeader(index);
    if (!read.ok()) {
        reporter_.report(read.error(), missing);
        return std::nullopt;
    }
    return read.value();
}

// ---- counters -------------------------------------------------------------------------------

void MessageStore::AdjustListCounter(int listIndex, CounterColumn column, int delta) {
    catalog_.adjust(listIndex, column, delta);
}

void MessageStore::AdjustCounterByName(CounterColumn column, int delta,
                                       const QByteArray &listFileName) {
    const std::optional<int> listIndex = catalog_.indexOfFile(listFileName);
    if (!listIndex) {
        reporter_.show(texts::unknownList.in(settings_.language) +
                       QString::fromLatin1(listFileName) +
                       texts::unknownListEnd.in(settings_.language));
        return;
    }
    catalog_.adjust(*listIndex, column, delta);
}

void MessageStore::moveCounters(int listIndex, char oldStatus, char newStatus) {
    if (oldStatus == newStatus)
        return;
    if (const std::optional<CounterColumn> column = counterColumnOf(oldStatus))
        catalog_.adjust(listIndex, *column, -1);
    if (const std::optional<CounterColumn> column = counterColumnOf(newStatus))
        catalog_.adjust(listIndex, *column, 1);
}

void MessageStore::countAppended(int listIndex, const HeaderRecord &record) {
    catalog_.adjust(listIndex, CounterColumn::Total, 1);
    if (record.number > catalog_.list(listIndex).seenMark)
        catalog_.adjust(listIndex, CounterColumn::New, 1);
    if (const std::optional<CounterColumn> column = counterColumnOf(record.status))
        catalog_.adjust(listIndex, *column, 1);
}

// ---- numbers --------------------------------------------------------------------------------

void MessageStore::writeOwnNumbers(int listIndex) {
    const qint32 first = listIndex == personalList ? localCounter_ : newestNumber_;
    const NumberFile file(catalog_.numberPath(listIndex));
    const FileStatus written =
        file.writeVerified({first, catalog_.list(listIndex).seenMark}, numberWriteAttempts);
    if (!written.ok())
        reporter_.report(written.error(), texts::numberNotSaved);
}

void MessageStore::SetNewestNumber(qint32 number) {
    newestNumber_ = number;
    if (started_)
        writeOwnNumbers(defaultList);
}

qint32 MessageStore::TakeLocalNumber() {
    ++localCounter_;
    if (started_)
        writeOwnNumbers(personalList);
    return localCounter_;
}

void MessageStore::SetSeenMark(int listIndex, qint32 mark, int seenCount) {
    if (!catalog_.contains(listIndex))
        return;
    catalog_.setSeenMark(listIndex, mark);
    if (listIndex == personalList || listIndex == defaultList) {
        writeOwnNumbers(listIndex);
    } else {
        const NumberFile file(catalog_.numberPath(listIndex));
        const qint32 first = file.read().value_or(NumberLine{}).first;
        if (const FileStatus written = file.write({first, mark}); !written.ok())
            reporter_.report(written.error());
    }
    const int stillNew = catalog_.list(listIndex).counters[CounterColumn::New];
    catalog_.adjust(listIndex, CounterColumn::New, -std::clamp(seenCount, 0, stillNew));
}

// ---- status changes -------------------------------------------------------------------------

bool MessageStore::applyStatus(int listIndex, int index, HeaderRecord record, char newStatus,
                               const PathWording *missing) {
    const FileStatus written =
        ListFile(catalog_.listPath(listIndex)).SetHeaderStatus(index, newStatus);
    if (!written.ok()) {
        reporter_.report(written.error(), missing);
        return false;
    }
    const char oldStatus = record.status;
    record.status = newStatus;
    moveCounters(listIndex, oldStatus, newStatus);
    emit headerChanged(listIndex, index, record);
    return true;
}

bool MessageStore::MarkRead(int listIndex, int index) {
    const std::optional<HeaderRecord> record = readRecord(listIndex, index, nullptr);
    return record && record->status == status::Unread &&
           applyStatus(listIndex, index, *record, status::Read, nullptr);
}

bool MessageStore::ToggleKill(int listIndex, int index) {
    const std::optional<HeaderRecord> record = readRecord(listIndex, index, nullptr);
    if (!record)
        return false;
    char next = status::ToKill;
    if (record->status == status::ToKill)
        next = hasMessageFile(listIndex, record->number) ? status::Read : status::New;
    return applyStatus(listIndex, index, *record, next, nullptr);
}

bool MessageStore::MarkToFetch(int listIndex, int index) {
    const std::optional<HeaderRecord> record = readRecord(listIndex, index, nullptr);
    return record && record->status == status::New &&
           applyStatus(listIndex, index, *record, status::ToFetch, nullptr);
}

bool MessageStore::Unmark(int listIndex, int index) {
    const std::optional<HeaderRecord> record = readRecord(listIndex, index, nullptr);
    return record && record->status == status::ToFetch &&
           applyStatus(listIndex, index, *record, status::New, nullptr);
}

bool MessageStore::ChangeStatus(int listIndex, int index, char newStatus) {
    const std::optional<HeaderRecord> record = readRecord(listIndex, index, nullptr);
    return record && applyStatus(listIndex, index, *record, newStatus, nullptr);
}

bool MessageStore::ReplaceHeader(int listIndex, int index, const HeaderRecord &record) {
    const std::optional<HeaderRecord> old = readRecord(listIndex, index, nullptr);
    if (!old)
        return false;
    const FileResult<int> written =
        ListFile(catalog_.listPath(listIndex)).WriteHeader(record, index);
    if (!written.ok()) {
        reporter_.report(written.error());
        return false;
    }
    moveCounters(listIndex, old->status, record.status);
    emit headerChanged(listIndex, index, record);
    return true;
}

std::optional<SearchHit> MessageStore::SearchHeaders(int listIndex,
                                                     const std::vector<HeaderRecord> &records,
                                                     int currentIndex,
                                                     const SearchCriteria &criteria) {
    if (!catalog_.contains(listIndex))
        return std::nullopt;
    const MessageFolder messages(catalog_.messageFolderPath(listIndex));
    const std::optional<SearchHit> hit =
        krx::SearchHeaders(records, currentIndex, criteria, messages);
    if (!hit) {
        reporter_.inform(texts::searchNotFound);
        return hit;
    }
    const HeaderRecord &record = records[hit->index];
    if (criteria.mark && record.status == status::New)
        MarkToFetch(listIndex, hit->index);
    if (hit->byContent && readerOpener_)
        readerOpener_({listIndex, hit->index, record, messagePath(listIndex, record.number),
                       criteria.contains});
    return hit;
}

std::optional<int> MessageStore::appendTo(int listIndex, const HeaderRecord &record) {
    const FileResult<int> written = ListFile(catalog_.listPath(listIndex)).AppendRaw(record);
    if (!written.ok()) {
        reporter_.report(written.error());
        return std::nullopt;
    }
    countAppended(listIndex, record);
    emit headerAppended(listIndex, written.value(), record);
    return written.value();
}

bool MessageStore::MoveHeader(int listIndex, int index, int destination) {
    if (!catalog_.contains(destination) || destination == listIndex)
        return false;
    const std::optional<HeaderRecord> record = readRecord(listIndex, index, nullptr);
    if (!record)
        return false;
    // The message files go first and the header is marked to be killed last, so a failure on
    // the way never leaves a header without its message.
    MessageFolder target(catalog_.messageFolderPath(destination));
    const FileStatus copied =
        MessageFolder(catalog_.messageFolderPath(listIndex)).copyMessage(record->number, target);
    if (!copied.ok()) {
        reporter_.report(copied.error());
        return false;
    }
    if (!appendTo(destination, *record))
        return false;
    return record->status == status::ToKill ||
           applyStatus(listIndex, index, *record, status::ToKill, nullptr);
}

} // namespace krx
