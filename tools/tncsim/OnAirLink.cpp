#include "tncsim/OnAirLink.h"

#include "tncsim/Callsign.h"
#include "tncsim/HostResponse.h"

namespace krx::tncsim {

namespace {

QByteArray sequence(int number) {
    return QByteArray::number(number % 8);
}

} // namespace

OnAirLink::OnAirLink(const QByteArray &caller, const QByteArray &called)
    : caller_{Callsign::normalized(caller)}, called_{Callsign::normalized(called)} {}

MonitorFrame OnAirLink::frame(End from, const QByteArray &control, const QByteArray &info) const {
    MonitorFrame frame{side(from).call, side(other(from)).call, {}, control, {}, info};
    if (frame.frameClass() == 'I')
        frame.pid = "F0";
    return frame;
}

QList<MonitorFrame> OnAirLink::open() const {
    return {frame(End::Caller, "SABM+"), frame(End::Called, "UA-")};
}

QList<MonitorFrame> OnAirLink::say(End from, const QByteArray &text) {
    QList<MonitorFrame> frames;
    Side &sender = side(from);
    Side &receiver = side(other(from));
    for (qsizetype at = 0; at < text.size(); at += HostResponse::kMaxData) {
        frames << frame(from, "I" + sequence(sender.received) + sequence(sender.sent) + "^",
                        text.mid(at, HostResponse::kMaxData));
        sender.sent = (sender.sent + 1) % 8;
        receiver.received = (receiver.received + 1) % 8;
        frames << frame(other(from), "RR" + sequence(receiver.received) + "v");
    }
    return frames;
}

QList<MonitorFrame> OnAirLink::close(End from) const {
    return {frame(from, "DISC+"), frame(other(from), "UA-")};
}

} // namespace krx::tncsim
