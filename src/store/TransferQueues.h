#pragma once

#include <QSet>
#include <QtGlobal>
#include <deque>
#include <optional>

namespace krx {

// A header waiting to be fetched: its list and its record index.
struct FetchEntry {
    int listIndex = 0;
    int index = 0;
};

// The headers marked to be fetched, in list order, each at most once.
class FetchQueue {
public:
    void clear();
    // False when the header is queued already.
    bool add(const FetchEntry &entry);
    std::optional<FetchEntry> takeFirst();
    bool isEmpty() const { return entries_.empty(); }
    int size() const { return int(entries_.size()); }
    const std::deque<FetchEntry> &entries() const { return entries_; }

private:
    static quint64 key(const FetchEntry &entry);

    std::deque<FetchEntry> entries_;
    QSet<quint64> queued_;
};

// A written message waiting to be sent: its local number and its record index in the
// personal list.
struct SendEntry {
    qint32 number = 0;
    int index = 0;
};

class SendQueue {
public:
    void clear() { entries_.clear(); }
    void add(const SendEntry &entry) { entries_.push_back(entry); }
    std::optional<SendEntry> takeFirst();
    bool isEmpty() const { return entries_.empty(); }
    const std::deque<SendEntry> &entries() const { return entries_; }

private:
    std::deque<SendEntry> entries_;
};

} // namespace krx
