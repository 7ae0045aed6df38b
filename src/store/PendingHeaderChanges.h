#pragma once

#include "store/HeaderRecord.h"

#include <utility>
#include <vector>

namespace krx {

// Headers written to a list while the lists window reads that list in its worker: the read
// may or may not have seen them, so they are kept and applied, in the order they were made,
// to what was read once the reading has finished. A header already read is replaced by its
// newer copy and one appended after the read is added, so nothing is lost or doubled.
class PendingHeaderChanges {
public:
    // A header written at its index, in place or appended.
    void written(int index, const HeaderRecord &record) { changes_.emplace_back(index, record); }
    bool isEmpty() const { return changes_.empty(); }
    void clear() { changes_.clear(); }

    void applyTo(std::vector<HeaderRecord> &records) const;

    // Puts one header at its index: replaces the one there, or adds it when the index is the
    // next one. False for an index beyond that, which the list cannot hold.
    static bool put(std::vector<HeaderRecord> &records, int index, const HeaderRecord &record);

private:
    std::vector<std::pair<int, HeaderRecord>> changes_;
};

} // namespace krx
