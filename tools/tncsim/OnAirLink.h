#pragma once

#include "tncsim/MonitorFrame.h"

#include <QList>

namespace krx::tncsim {

// The frames of an AX.25 link between two other stations as a monitor hears them, in bursts:
// the link set-up, each information frame with its acknowledgement, the end of the link.
// Each end keeps its own send and receive numbers, so the controls read as on a real link.
class OnAirLink {
public:
    enum class End { Caller, Called };

    OnAirLink(const QByteArray &caller, const QByteArray &called);

    // SABM from the caller, UA from the called station.
    QList<MonitorFrame> open() const;
    // The text from one end in frames of at most 256 bytes, each acknowledged by the other.
    QList<MonitorFrame> say(End from, const QByteArray &text);
    // DISC from one end, UA from the other.
    QList<MonitorFrame> close(End from) const;

private:
    struct Side {
        QByteArray call;
        int sent = 0;
        int received = 0;
    };

    Side &side(End end) { return end == End::Caller ? caller_ : called_; }
    const Side &side(End end) const { return end == End::Caller ? caller_ : called_; }
    static End other(End end) { return end == End::Caller ? End::Called : End::Caller; }
    MonitorFrame frame(End from, const QByteArray &control, const QByteArray &info = {}) const;

    Side caller_;
    Side called_;
};

} // namespace krx::tncsim
