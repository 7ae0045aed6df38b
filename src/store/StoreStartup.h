#pragma once

#include "core/ProgramDirectory.h"
#include "store/ReadRules.h"

#include <QByteArray>
#include <optional>

namespace krx {

class ListCatalog;
class ListMaintenance;
class StoreReporter;

// What the start-up found in the number files and read.ini.
struct StartupState {
    qint32 newestNumber = 0;
    qint32 localCounter = 100;
    ReadRules rules;
};

// The start-up of the store: loads epurt.ini into the catalog, creates the folders and the
// missing files (taking over number files of the older naming), restores a list file that is
// missing beside its backup, converts lists of the older format, counts every list and loads
// read.ini.
class StoreStartup {
public:
    StoreStartup(const ProgramDirectory &directory, ListCatalog &catalog,
                 const StoreReporter &reporter, ListMaintenance &maintenance);

    // Nothing when the store cannot work: epurt.ini missing or naming fewer than two lists.
    std::optional<StartupState> run(const QByteArray &ownCall, const QByteArray &homeBbs,
                                    int blockSize);

private:
    bool loadLists();
    void createFolders();
    void restoreFromBackups();
    void createMissingFiles(const QByteArray &ownCall, const QByteArray &homeBbs);
    void createNumberFile(int listIndex, const QByteArray &olderName, qint32 first);
    void checkFormat();
    void countLists(int blockSize);
    ReadRules loadRules();

    const ProgramDirectory &directory_;
    ListCatalog &catalog_;
    const StoreReporter &reporter_;
    ListMaintenance &maintenance_;
};

} // namespace krx
