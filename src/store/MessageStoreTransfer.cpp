// The fetch and send queues of the message store, used by the transfer procedures.

#include "store/ListFile.h"
#include "store/MessageStore.h"

namespace krx {

namespace {

const PathWording searchMissing{texts::searchFileMissing, texts::fileMissingEnd};
const PathWording fetchMissing{texts::fetchFileMissing, texts::fileMissingEndWide};
const PathWording fetchDoneMissing{texts::fetchDoneFileMissing, texts::fileMissingEndWide};
const PathWording transmitMissing{texts::transmitFileMissing, texts::fileMissingEnd};

} // namespace

bool MessageStore::BuildFetchQueue(bool clear) {
    if (clear)
        fetchQueue_.clear();
    for (int list = 0; list < catalog_.count(); ++list) {
        const FileStatus scanned = ListFile(catalog_.listPath(list))
                                       .scan(settings_.headersPerBlock,
                                             [this, list](int index, const HeaderRecord &record) {
                                                 if (record.status == status::ToFetch)
                                                     fetchQueue_.add({list, index});
                                             });
        if (!scanned.ok())
            reporter_.report(scanned.error(), &searchMissing);
    }
    return !fetchQueue_.isEmpty();
}

QByteArrayList MessageStore::fetchQueueText() const {
    QByteArrayList lines;
    for (const FetchEntry &entry : fetchQueue_.entries())
        lines << catalog_.fileName(entry.listIndex) + ' ' + QByteArray::number(entry.index);
    return lines;
}

bool MessageStore::NextFetch() {
    currentFetch_ = {};
    const std::optional<FetchEntry> entry = fetchQueue_.takeFirst();
    if (!entry)
        return false;
    const std::optional<HeaderRecord> record =
        readRecord(entry->listIndex, entry->index, &fetchMissing);
    if (!record)
        return false;
    currentFetch_ = {entry->listIndex, entry->index, *record};
    return true;
}

QString MessageStore::fetchMessagePath() const {
    if (!currentFetch_.isSet())
        return {};
    return directory_.resolveForWrite(
        QStringLiteral("mail\\%1\\%2.txt")
            .arg(QString::fromLatin1(catalog_.name(currentFetch_.listIndex)))
            .arg(currentFetch_.record.number));
}

QByteArray MessageStore::fetchBbsNumber() const {
    return QByteArray::number(currentFetch_.record.bbs_number);
}

QByteArray MessageStore::fetchNumber() const {
    return QByteArray::number(currentFetch_.record.number);
}

qint32 MessageStore::fetchSize() const {
    return currentFetch_.record.size;
}

void MessageStore::FetchDone(const QString &messageFile, const QByteArray &title) {
    if (!currentFetch_.isSet())
        return;
    const int list = currentFetch_.listIndex;
    const int index = currentFetch_.index;
    std::optional<HeaderRecord> record = readRecord(list, index, &fetchDoneMissing);
    if (!record)
        return;
    const FileResult<ReceivedMessage> received =
        classifyReceivedMessage(messageFile, sectionExtraction_, services_.oem);
    if (!received.ok()) {
        reporter_.report(received.error());
        return;
    }
    const char oldStatus = record->status;
    record->status = received.value().sevenPlus ? status::SevenPlus : status::Unread;
    if (!title.isEmpty())
        record->title = services_.oem.receivedToAnsi(title);
    const FileResult<int> written = ListFile(catalog_.listPath(list)).WriteHeader(*record, index);
    if (!written.ok()) {
        reporter_.report(written.error(), &fetchDoneMissing);
        return;
    }
    currentFetch_.record = *record;
    moveCounters(list, oldStatus, record->status);
    emit headerChanged(list, index, *record);
}

void MessageStore::FetchFailed() {
    if (!currentFetch_.isSet())
        return;
    const std::optional<HeaderRecord> record =
        readRecord(currentFetch_.listIndex, currentFetch_.index, &fetchDoneMissing);
    if (record && applyStatus(currentFetch_.listIndex, currentFetch_.index, *record,
                              status::FetchFailed, &fetchDoneMissing))
        currentFetch_.record.status = status::FetchFailed;
}

void MessageStore::FetchRoundEnded() {
    emit fetchRoundEnded();
}

bool MessageStore::BuildSendQueue() {
    sendQueue_.clear();
    if (catalog_.count() == 0)
        return false;
    const FileStatus scanned =
        ListFile(catalog_.listPath(personalList))
            .scan(settings_.headersPerBlock, [this](int index, const HeaderRecord &record) {
                if (record.status == status::NotSent)
                    sendQueue_.add({record.number, index});
            });
    if (!scanned.ok())
        reporter_.report(scanned.error(), &transmitMissing);
    return !sendQueue_.isEmpty();
}

QByteArrayList MessageStore::sendQueueText() const {
    QByteArrayList lines;
    for (const SendEntry &entry : sendQueue_.entries())
        lines << QByteArray::number(entry.number) + ' ' + QByteArray::number(entry.index);
    return lines;
}

std::optional<QByteArray> MessageStore::NextSend() {
    currentSend_ = {};
    const std::optional<SendEntry> entry = sendQueue_.takeFirst();
    if (!entry)
        return std::nullopt;
    const std::optional<HeaderRecord> record = readRecord(personalList, entry->index, nullptr);
    if (!record)
        return std::nullopt;
    currentSend_ = {personalList, entry->index, *record};
    QByteArray argument = (record->kind == 'P' ? "P " : " ") + record->to.text();
    if (!record->via.isEmpty())
        argument += '@' + record->via.text();
    return argument;
}

QByteArray MessageStore::sendTitle() const {
    return services_.oem.outgoingToOem(currentSend_.record.title.text());
}

QString MessageStore::sendMessagePath() const {
    if (!currentSend_.isSet())
        return {};
    return directory_.resolve(QStringLiteral("mail\\%1\\%2.txt")
                                  .arg(QString::fromLatin1(catalog_.name(personalList)))
                                  .arg(currentSend_.record.number));
}

QByteArray MessageStore::sendProposal() const {
    const HeaderRecord &r = currentSend_.record;
    return "FA " + QByteArray(1, r.kind) + ' ' + r.from.text() + ' ' + r.via.text() + ' ' +
           r.to.text() + ' ' + r.bid.text() + ' ' + QByteArray::number(r.size);
}

QByteArray MessageStore::sendNumber() const {
    return QByteArray::number(currentSend_.record.number);
}

void MessageStore::SendDone() {
    if (!currentSend_.isSet())
        return;
    const std::optional<HeaderRecord> record =
        readRecord(personalList, currentSend_.index, nullptr);
    if (record && applyStatus(personalList, currentSend_.index, *record, status::Read, nullptr))
        currentSend_.record.status = status::Read;
}

} // namespace krx
