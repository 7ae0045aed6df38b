#include "tncsim/Channel.h"

#include <algorithm>

namespace krx::tncsim {

std::optional<Channel::Pending> Channel::takeNext() {
    if (pending_.empty())
        return std::nullopt;
    Pending next = pending_.front();
    pending_.pop_front();
    return next;
}

int Channel::pendingCount(int code) const {
    return int(std::count_if(pending_.begin(), pending_.end(),
                             [code](const Pending &item) { return item.code == code; }));
}

} // namespace krx::tncsim
