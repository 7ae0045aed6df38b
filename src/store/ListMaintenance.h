#pragma once

#include "core/ProgramDirectory.h"
#include "store/ListDefinitions.h"

#include <QDateTime>
#include <functional>

namespace krx {

class ListCatalog;
class StoreReporter;

// The operations that write whole lists anew: the repair of a list, the purge of expired
// headers and the conversion of lists of the older format. Each writes the new list beside
// the old one and puts it in place by an atomic rename, keeping the old one as <NAME>.bak, so
// an interruption never loses a list. The counters of a rewritten list are those of its new
// contents.
class ListMaintenance {
public:
    ListMaintenance(const ProgramDirectory &directory, ListCatalog &catalog,
                    const StoreReporter &reporter, int blockSize);

    // Keeps only the records whose number is above the last one kept, dropping duplicates and
    // headers out of order. True when the list was rewritten.
    bool RepairList(int listIndex);

    // Applies the retention days of the given lists (epurt.ini as it is now) and deletes the
    // message files of the removed headers. `purging` is told each list's position before it
    // is done. Returns whether any list was rewritten.
    bool PurgeLists(const std::vector<ListDefinition> &lists, const QDateTime &now,
                    const std::function<void(int position)> &purging);

    // Rewrites every list that is in the older format (208-byte records, no mark).
    void convertOldLists();

private:
    bool purgeList(const ListDefinition &list, qint64 today);

    const ProgramDirectory &directory_;
    ListCatalog &catalog_;
    const StoreReporter &reporter_;
    int blockSize_;
};

} // namespace krx
