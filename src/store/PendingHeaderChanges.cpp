#include "store/PendingHeaderChanges.h"

namespace krx {

void PendingHeaderChanges::applyTo(std::vector<HeaderRecord> &records) const {
    for (const auto &[index, record] : changes_)
        put(records, index, record);
}

bool PendingHeaderChanges::put(std::vector<HeaderRecord> &records, int index,
                               const HeaderRecord &record) {
    const auto count = int(records.size());
    if (index < 0 || index > count)
        return false;
    if (index == count)
        records.push_back(record);
    else
        records[std::size_t(index)] = record;
    return true;
}

} // namespace krx
