#include "store/TransferQueues.h"

namespace krx {

quint64 FetchQueue::key(const FetchEntry &entry) {
    return (quint64(quint32(entry.listIndex)) << 32) | quint32(entry.index);
}

void FetchQueue::clear() {
    entries_.clear();
    queued_.clear();
}

bool FetchQueue::add(const FetchEntry &entry) {
    if (queued_.contains(key(entry)))
        return false;
    queued_.insert(key(entry));
    entries_.push_back(entry);
    return true;
}

std::optional<FetchEntry> FetchQueue::takeFirst() {
    if (entries_.empty())
        return std::nullopt;
    const FetchEntry entry = entries_.front();
    entries_.pop_front();
    queued_.remove(key(entry));
    return entry;
}

std::optional<SendEntry> SendQueue::takeFirst() {
    if (entries_.empty())
        return std::nullopt;
    const SendEntry entry = entries_.front();
    entries_.pop_front();
    return entry;
}

} // namespace krx
