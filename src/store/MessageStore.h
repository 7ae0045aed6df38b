#pragma once

#include "core/Clock.h"
#include "core/Language.h"
#include "core/OemConversion.h"
#include "core/ProgramDirectory.h"
#include "store/HeaderRecord.h"
#include "store/HeaderSearch.h"
#include "store/ListCatalog.h"
#include "store/ListDefinitions.h"
#include "store/ListLineParser.h"
#include "store/ListMaintenance.h"
#include "store/ReadRules.h"
#include "store/ReceivedMessage.h"
#include "store/StoreReporter.h"
#include "store/TransferQueues.h"
#include "store/UnprotoHeaderParser.h"

#include <QByteArrayList>
#include <QObject>
#include <optional>

namespace krx {

class IniFile;
class Prompter;
struct Settings;

// The values of the settings the store works with.
struct StoreSettings {
    Language language = Language::Finnish;
    QByteArray ownCall; // upper case, without SSID
    QByteArray homeBbs;
    int headersPerBlock = 500; // OTSIKOITA KERRALLA, 1 to 500

    static StoreSettings from(const Settings &settings, const IniFile &mainFile);
};

struct StoreServices {
    Clock &clock;
    Prompter &prompter;
    const OemConversion &oem;
    IniFile &mainSettings; // the [lista] columns are written back here
};

// The header last taken from the fetch or the send queue.
struct CurrentHeader {
    int listIndex = -1;
    int index = -1;
    HeaderRecord record;

    bool isSet() const { return listIndex >= 0; }
};

// The message store: the lists of headers under data\, their message files under mail\, the
// per-list counters, the fetch and send queues and the capture of new headers. It lives on
// the main thread; every operation catches its own file errors, shows them through the
// Prompter and leaves the list as it was.
class MessageStore : public QObject {
    Q_OBJECT
public:
    static constexpr int personalList = ListCatalog::personalList;
    static constexpr int defaultList = ListCatalog::defaultList;

    MessageStore(ProgramDirectory directory, StoreSettings settings, StoreServices services,
                 QObject *parent = nullptr);
    ~MessageStore() override;

    // Start-up: loads epurt.ini, creates the folders and the missing files, restores a list
    // from its backup, converts lists of the older format, counts every list and loads
    // read.ini. False when the store cannot work (no epurt.ini or fewer than two lists).
    bool Start();
    bool isStarted() const { return started_; }

    // The lists and their lines.
    const ListCatalog &catalog() const { return catalog_; }
    int listCount() const { return catalog_.count(); }
    QByteArray ListFileName(int listIndex) const { return catalog_.fileName(listIndex); }
    // The real path of a list file, for a reader in a worker thread (see readListFile).
    QString listFilePath(int listIndex) const { return catalog_.listPath(listIndex); }
    int headersPerBlock() const { return settings_.headersPerBlock; }
    const ReadRules &rules() const { return rules_; }

    // Record access.
    std::optional<HeaderRecord> ReadHeader(int listIndex, int index);
    // Writes the record at its index, or appends it when index is negative; the counters are
    // the caller's to adjust. Returns the index written.
    std::optional<int> WriteHeader(int listIndex, const HeaderRecord &record, int index);
    bool hasMessageFile(int listIndex, qint32 number) const;
    QString messagePath(int listIndex, qint32 number) const;

    // Counters.
    void AdjustListCounter(int listIndex, CounterColumn column, int delta);
    void AdjustCounterByName(CounterColumn column, int delta, const QByteArray &listFileName);

    // Numbers kept in the number files: the newest BBS number handled (default list), the
    // local counter (personal list) and each list's seen mark.
    qint32 newestNumber() const { return newestNumber_; }
    void SetNewestNumber(qint32 number);
    // The number of the last listing line stored (the listing fetch raises the newest
    // number to it), 0 when none.
    qint32 lastStoredNumber() const { return lastStoredNumber_; }
    void clearLastStoredNumber() { lastStoredNumber_ = 0; }
    qint32 localCounter() const { return localCounter_; }
    // Hands out the next local number and writes it to the personal number file.
    qint32 TakeLocalNumber();
    // Leaving a list view: `mark` becomes its seen mark and `seenCount` headers stop being new.
    void SetSeenMark(int listIndex, qint32 mark, int seenCount);

    // Fetch side.
    bool BuildFetchQueue(bool clear);
    bool NextFetch();
    const FetchQueue &hakulista() const { return fetchQueue_; }
    // The fetch queue as the debug window shows it: list file name, a space, record index.
    QByteArrayList fetchQueueText() const;
    const CurrentHeader &currentFetch() const { return currentFetch_; }
    QString fetchMessagePath() const;
    QByteArray fetchBbsNumber() const;
    QByteArray fetchNumber() const;
    qint32 fetchSize() const;
    void FetchDone(const QString &messageFile, const QByteArray &title);
    void FetchFailed();
    void FetchRoundEnded();

    // Send side.
    bool BuildSendQueue();
    // The send command's argument for the next queued message: "P " + to for a private
    // message, else " " + to, then "@" + via when there is a route.
    std::optional<QByteArray> NextSend();
    const SendQueue &lahetyslista() const { return sendQueue_; }
    // The send queue as the debug window shows it: local number, a space, record index.
    QByteArrayList sendQueueText() const;
    const CurrentHeader &currentSend() const { return currentSend_; }
    QByteArray sendTitle() const;
    QString sendMessagePath() const;
    QByteArray sendProposal() const;
    QByteArray sendNumber() const;
    void SendDone();

    // Status changes on one header; each writes the record, moves the counters from the old
    // status's column to the new one's and announces the header.
    bool MarkRead(int listIndex, int index); // R becomes Y: reader closed, or reply
    bool ToggleKill(int listIndex, int index);
    bool MarkToFetch(int listIndex, int index);
    bool Unmark(int listIndex, int index);
    bool ChangeStatus(int listIndex, int index, char status);
    bool ReplaceHeader(int listIndex, int index, const HeaderRecord &record);
    // Appends the header to another list with its status and message files, and marks it to
    // be killed in its own list.
    bool MoveHeader(int listIndex, int index, int destination);

    // Capture of new headers.
    // The list file a header goes to, nothing when the rules drop it; may change its status
    // and number. Copies asked for by C rules are made at once.
    std::optional<QByteArray> SortHeader(HeaderRecord &record);
    bool StoreCapturedHeader(const HeaderRecord &record, const QByteArray &listFileName);
    void ParseListLine(const QByteArray &line, bool store);
    const ListColumns &listColumns() const { return listParser_.columns(); }
    // An unproto header line (the text after its number): parsed, sorted and stored; the
    // newest number becomes `number` unless the size did not convert.
    UnprotoHeader::Outcome CaptureUnprotoHeader(const QByteArray &line, qint32 number);

    // The next header of the list (its records as shown) that matches the search, marked for
    // fetching when asked; a content hit opens the reader through its hook. Shows the
    // not-found notice when there is none.
    std::optional<SearchHit> SearchHeaders(int listIndex, const std::vector<HeaderRecord> &records,
                                           int currentIndex, const SearchCriteria &criteria);

    // Maintenance.
    void RepairList(int listIndex);
    void PurgeLists();

    // Hooks filled by later parts of the program.
    void setSectionExtraction(SectionExtraction extraction) {
        sectionExtraction_ = std::move(extraction);
    }
    void setReaderOpener(ReaderOpener opener) { readerOpener_ = std::move(opener); }

signals:
    void listLineChanged(int listIndex);
    void totalsChanged();
    void newMessagesChanged(int count);
    // A header was written in place / added at the end of its list.
    void headerChanged(int listIndex, int index, const krx::HeaderRecord &record);
    void headerAppended(int listIndex, int index, const krx::HeaderRecord &record);
    // A list file was written anew (repair, purge): a view of it must be read again.
    void listReplaced(int listIndex);
    void fetchRoundEnded();
    // The lists window's caption shows this notice.
    void captionNotice(const QString &text);
    void purgeStarted();
    void purgingList(int listIndex);
    void purgeFinished();

private:
    std::optional<HeaderRecord> readRecord(int listIndex, int index, const PathWording *missing);
    bool applyStatus(int listIndex, int index, HeaderRecord record, char newStatus,
                     const PathWording *missing);
    void moveCounters(int listIndex, char oldStatus, char newStatus);
    void countAppended(int listIndex, const HeaderRecord &record);
    std::optional<int> appendTo(int listIndex, const HeaderRecord &record);
    void copyByRule(const QByteArray &listFileName, const HeaderRecord &record);
    std::optional<int> capturedTarget(const QByteArray &listFileName);
    void writeOwnNumbers(int listIndex);
    void forgetQueues();
    void saveListColumns();

    ProgramDirectory directory_;
    StoreSettings settings_;
    StoreServices services_;
    StoreReporter reporter_;
    ListCatalog catalog_;
    ListMaintenance maintenance_;
    ReadRules rules_;
    ListLineParser listParser_;
    FetchQueue fetchQueue_;
    SendQueue sendQueue_;
    CurrentHeader currentFetch_;
    CurrentHeader currentSend_;
    SectionExtraction sectionExtraction_;
    ReaderOpener readerOpener_;
    qint32 newestNumber_ = 0;
    qint32 localCounter_ = 100;
    qint32 lastStoredNumber_ = 0;
    bool started_ = false;
};

} // namespace krx
