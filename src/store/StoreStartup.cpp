#include "store/StoreStartup.h"

#include "store/ListCatalog.h"
#include "store/ListFile.h"
#include "store/ListMaintenance.h"
#include "store/NumberFile.h"
#include "store/StoreReporter.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFile>

namespace krx {

namespace {

constexpr qint32 firstLocalCounter = 100;

} // namespace

StoreStartup::StoreStartup(const ProgramDirectory &directory, ListCatalog &catalog,
                           const StoreReporter &reporter, ListMaintenance &maintenance)
    : directory_(directory), catalog_(catalog), reporter_(reporter), maintenance_(maintenance) {}

std::optional<StartupState> StoreStartup::run(const QByteArray &ownCall, const QByteArray &homeBbs,
                                              int blockSize) {
    if (!loadLists())
        return std::nullopt;
    createFolders();
    restoreFromBackups();
    createMissingFiles(ownCall, homeBbs);
    StartupState state;
    state.newestNumber = NumberFile(catalog_.numberPath(ListCatalog::defaultList))
                             .read()
                             .value_or(NumberLine{})
                             .first;
    state.localCounter = NumberFile(catalog_.numberPath(ListCatalog::personalList))
                             .read()
                             .value_or(NumberLine{firstLocalCounter, 0})
                             .first;
    checkFormat();
    countLists(blockSize);
    state.rules = loadRules();
    return state;
}

bool StoreStartup::loadLists() {
    const FileResult<QByteArray> content =
        readWholeFile(directory_.resolve(QStringLiteral("epurt.ini")));
    if (!content.ok()) {
        reporter_.report(content.error());
        return false;
    }
    const ListDefinitions definitions = parseListDefinitions(content.value());
    if (definitions.tabLinesDropped)
        reporter_.show(texts::epurtTab);
    if (definitions.lists.size() < 2) {
        reporter_.show(texts::tooFewLists);
        return false;
    }
    catalog_.setLists(definitions.lists);
    return true;
}

void StoreStartup::createFolders() {
    QStringList folders{QStringLiteral("mail"), QStringLiteral("data")};
    for (int list = 0; list < catalog_.count(); ++list)
        folders << QStringLiteral("mail\\") + QString::fromLatin1(catalog_.name(list));
    folders << QStringLiteral("decode") << QStringLiteral("pub") << QStringLiteral("autocon")
            << QStringLiteral("7plus_in");
    for (const QString &folder : std::as_const(folders)) {
        const QString path = directory_.resolve(folder);
        if (!QDir().mkpath(path))
            reporter_.report(failedFile(path, QStringLiteral("The folder could not be created")));
    }
}

void StoreStartup::restoreFromBackups() {
    for (int list = 0; list < catalog_.count(); ++list) {
        const QString path = catalog_.listPath(list);
        const QString backup = catalog_.backupPath(list);
        if (QFile::exists(path) || !QFile::exists(backup))
            continue;
        QFile source(backup);
        if (!source.copy(path)) {
            reporter_.report(failedFile(path, source.errorString()));
            continue;
        }
        reporter_.show(texts::listRestored.in(reporter_.language())
                           .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backup)));
    }
}

void StoreStartup::createMissingFiles(const QByteArray &ownCall, const QByteArray &homeBbs) {
    for (int list = 0; list < catalog_.count(); ++list) {
        if (const FileStatus created = ListFile(catalog_.listPath(list)).create(); !created.ok())
            reporter_.report(created.error());
        if (list == ListCatalog::personalList)
            createNumberFile(list, ownCall, firstLocalCounter);
        else if (list == ListCatalog::defaultList)
            createNumberFile(list, homeBbs, 0);
        else
            createNumberFile(list, {}, 0);
    }
}

// A missing number file is taken over from data\<olderName>.num when there is one, else
// written new.
void StoreStartup::createNumberFile(int listIndex, const QByteArray &olderName, qint32 first) {
    const QString path = catalog_.numberPath(listIndex);
    if (QFile::exists(path))
        return;
    if (!olderName.isEmpty()) {
        const QString older = directory_.resolve(
            QStringLiteral("data\\") + QString::fromLatin1(olderName) + QStringLiteral(".num"));
        QFile olderFile(older);
        if (olderFile.exists()) {
            if (!olderFile.rename(path))
                reporter_.report(failedFile(older, olderFile.errorString()));
            return;
        }
    }
    if (const FileStatus written = NumberFile(path).write({first, 0}); !written.ok())
        reporter_.report(written.error());
}

void StoreStartup::checkFormat() {
    const FileResult<QByteArray> lead =
        ListFile(catalog_.listPath(ListCatalog::personalList)).leadingBytes();
    if (lead.ok() && lead.value() != ListFile::mark)
        maintenance_.convertOldLists();
}

void StoreStartup::countLists(int blockSize) {
    const PathWording missing{texts::countFileMissing, texts::fileMissingEnd};
    for (int list = 0; list < catalog_.count(); ++list) {
        const qint32 seenMark =
            NumberFile(catalog_.numberPath(list)).read().value_or(NumberLine{}).seenMark;
        catalog_.setSeenMark(list, seenMark);
        ListCounters counters;
        const FileStatus scanned =
            ListFile(catalog_.listPath(list)).scan(blockSize, [&](int, const HeaderRecord &record) {
                counters.count(record, seenMark);
            });
        if (scanned.ok()) {
            catalog_.setCounted(list, counters);
        } else {
            reporter_.report(scanned.error(), &missing);
            catalog_.setUncounted(list);
        }
    }
}

ReadRules StoreStartup::loadRules() {
    const FileResult<QByteArray> content =
        readWholeFile(directory_.resolve(QStringLiteral("read.ini")));
    if (!content.ok()) {
        reporter_.report(content.error());
        return {};
    }
    ReadRules rules = parseReadRules(content.value());
    if (rules.tabLinesFound)
        reporter_.show(texts::readIniTab);
    return rules;
}

} // namespace krx
