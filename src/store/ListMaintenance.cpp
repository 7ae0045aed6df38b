#include "store/ListMaintenance.h"

#include "store/DateConversion.h"
#include "store/ListCatalog.h"
#include "store/ListFile.h"
#include "store/ListRewriter.h"
#include "store/MessageFiles.h"
#include "store/OldRecords.h"
#include "store/StoreReporter.h"
#include "store/WholeFile.h"

#include <QFile>
#include <QSet>

namespace krx {

namespace {

// Copies the records that `keep` accepts into a new version of the list and puts it in place.
// `keep` sees every record in file order.
FileStatus rewrite(const QString &listPath, const QString &backupPath, int blockSize,
                   const std::function<bool(const HeaderRecord &)> &keep) {
    ListRewriter rewriter(listPath, backupPath, blockSize);
    FileStatus status = rewriter.begin();
    if (!status.ok())
        return status;
    const FileStatus scanned =
        ListFile(listPath).scan(blockSize, [&](int, const HeaderRecord &record) {
            if (keep(record) && status.ok())
                status = rewriter.add(record);
        });
    if (!scanned.ok())
        return scanned;
    if (!status.ok())
        return status;
    return rewriter.commit();
}

QString systemPath(const char *folder, const QByteArray &name, const char *extension) {
    return QLatin1String(folder) + QString::fromLatin1(name) + QLatin1String(extension);
}

} // namespace

ListMaintenance::ListMaintenance(const ProgramDirectory &directory, ListCatalog &catalog,
                                 const StoreReporter &reporter, int blockSize)
    : directory_(directory), catalog_(catalog), reporter_(reporter), blockSize_(blockSize) {}

bool ListMaintenance::RepairList(int listIndex) {
    const QString path = catalog_.listPath(listIndex);
    if (!QFile::exists(path)) {
        reporter_.showPath({texts::repairFileMissing, texts::repairFileMissingEnd}, path);
        return false;
    }
    const qint32 seenMark = catalog_.list(listIndex).seenMark;
    ListCounters counters;
    qint32 lastKept = -1;
    int dropped = 0;
    const FileStatus rewritten =
        rewrite(path, catalog_.backupPath(listIndex), blockSize_, [&](const HeaderRecord &record) {
            if (record.number <= lastKept) {
                ++dropped;
                return false;
            }
            lastKept = record.number;
            counters.count(record, seenMark);
            return true;
        });
    if (!rewritten.ok()) {
        reporter_.report(rewritten.error(), texts::repairWriteFailed);
        return false;
    }
    catalog_.setCounted(listIndex, counters);
    if (dropped > 0)
        reporter_.show(texts::repairDropped.in(reporter_.language()) + QString::number(dropped) +
                       texts::repairDroppedEnd.in(reporter_.language()));
    return true;
}

bool ListMaintenance::PurgeLists(const std::vector<ListDefinition> &lists, const QDateTime &now,
                                 const std::function<void(int position)> &purging) {
    const qint64 today = wholeDays(toRecordDate(now));
    bool rewrote = false;
    for (std::size_t position = 0; position < lists.size(); ++position) {
        if (purging)
            purging(int(position));
        rewrote = purgeList(lists[position], today) || rewrote;
    }
    return rewrote;
}

bool ListMaintenance::purgeList(const ListDefinition &list, qint64 today) {
    const QString path = directory_.resolve(systemPath("data\\", list.name, ".lst"));
    if (!QFile::exists(path)) {
        reporter_.showPath({texts::purgeFileMissing, texts::fileMissingEnd}, path);
        return false;
    }
    const std::optional<int> listIndex = catalog_.indexOfFile(list.fileName());
    const qint32 seenMark = listIndex ? catalog_.list(*listIndex).seenMark : 0;
    ListCounters counters;
    QSet<qint32> keptNumbers;
    QList<qint32> removedNumbers;
    const FileStatus rewritten =
        rewrite(path, directory_.resolve(systemPath("data\\", list.name, ".bak")), blockSize_,
                [&](const HeaderRecord &record) {
                    const std::optional<int> days =
                        list.retention.daysFor(record.kind, record.status);
                    if (days && *days >= 1 && today - wholeDays(record.stored_time) >= *days) {
                        removedNumbers << record.number;
                        return false;
                    }
                    keptNumbers.insert(record.number);
                    counters.count(record, seenMark);
                    return true;
                });
    if (!rewritten.ok()) {
        reporter_.report(rewritten.error(), texts::purgeWriteFailed);
        return false;
    }
    if (listIndex)
        catalog_.setCounted(*listIndex, counters);
    // The messages go only once the new list is in place, and never one a kept header names.
    const MessageFolder folder(directory_.resolve(systemPath("mail\\", list.name, "")));
    for (const qint32 number : std::as_const(removedNumbers)) {
        if (keptNumbers.contains(number))
            continue;
        if (const FileStatus removed = folder.removeMessage(number); !removed.ok()) {
            reporter_.report(removed.error());
            break;
        }
    }
    return true;
}

void ListMaintenance::convertOldLists() {
    for (int list = 0; list < catalog_.count(); ++list) {
        const QString path = catalog_.listPath(list);
        const FileResult<QByteArray> read = readWholeFile(path);
        if (!read.ok())
            continue; // a missing list is reported when the lists are counted
        const QByteArray &content = read.value();
        const bool current = content.startsWith(ListFile::mark) &&
                             (content.size() - ListFile::markBytes) % HeaderRecord::byteSize == 0;
        if (current)
            continue;
        if (content.size() % oldListRecordBytes != 0) {
            reporter_.report(failedFile(path, QStringLiteral("%1 bytes").arg(content.size())),
                             texts::listNotConverted);
            continue;
        }
        ListRewriter rewriter(path, catalog_.backupPath(list), blockSize_);
        FileStatus status = rewriter.begin();
        for (qsizetype at = 0; status.ok() && at < content.size(); at += oldListRecordBytes)
            status = rewriter.add(decodeOldListRecord(content.constData() + at));
        if (status.ok())
            status = rewriter.commit();
        if (!status.ok())
            reporter_.report(status.error());
    }
}

} // namespace krx
