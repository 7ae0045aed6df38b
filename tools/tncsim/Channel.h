#pragma once

#include <QByteArray>
#include <deque>
#include <optional>

namespace krx::tncsim {

// What one channel holds for the host: the responses waiting for its G polls, in order.
class Channel {
public:
    struct Pending {
        int code;
        QByteArray bytes; // text for codes 1 to 5, data for codes 6 and 7
    };

    explicit Channel(int number) : number_(number) {}

    int number() const { return number_; }
    void queue(int code, const QByteArray &bytes) { pending_.push_back({code, bytes}); }
    // The next response to a G poll, or nothing (code 0).
    std::optional<Pending> takeNext();
    int pendingCount(int code) const;
    int pendingTotal() const { return int(pending_.size()); }

    // The channel's own call (I command); empty means the call of channel 0.
    QByteArray ownCall;

private:
    int number_;
    std::deque<Pending> pending_;
};

} // namespace krx::tncsim
