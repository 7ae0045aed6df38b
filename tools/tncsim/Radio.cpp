#include "tncsim/Radio.h"

#include "core/Clock.h"
#include "tncsim/Callsign.h"

#include <algorithm>

namespace krx::tncsim {

// A link between two stations; both ends hear of its end.
class Radio::StationLink {
public:
    StationLink(Station &caller, Station &called) : caller_(*this, caller), called_(*this, called) {
        caller_.other = &called_;
        called_.other = &caller_;
    }

    // The caller hears of the link first, so it knows the link before the other end talks.
    void open() {
        caller_.station.connected(caller_);
        if (!open_)
            return;
        calledConnected_ = true;
        called_.station.connected(called_);
    }
    bool isOpen() const { return open_; }

private:
    struct End final : Connection {
        End(StationLink &link, Station &station) : link(link), station(station) {}
        QByteArray localCall() const override { return station.call(); }
        QByteArray remoteCall() const override { return other->station.call(); }
        bool isOpen() const override { return link.open_; }
        void send(const QByteArray &data) override {
            if (link.open_ && !data.isEmpty())
                other->station.received(*other, data);
        }
        void disconnect() override { link.close(); }

        StationLink &link;
        Station &station;
        End *other = nullptr;
    };

    void close() {
        if (!open_)
            return;
        open_ = false;
        caller_.station.disconnected(caller_);
        if (calledConnected_)
            called_.station.disconnected(called_);
    }

    End caller_;
    End called_;
    bool open_ = true;
    bool calledConnected_ = false;
};

Radio::Radio(const Clock &clock) : clock_(clock) {}

Radio::~Radio() = default;

bool Radio::addStation(std::unique_ptr<Station> station) {
    if (!station || this->station(station->call()))
        return false;
    station->attach(*this);
    stations_.push_back(std::move(station));
    return true;
}

Station *Radio::station(const QByteArray &call) const {
    for (const auto &station : stations_)
        if (Callsign::same(station->call(), call))
            return station.get();
    return nullptr;
}

std::vector<Station *> Radio::stationList() const {
    std::vector<Station *> list;
    for (const auto &station : stations_)
        list.push_back(station.get());
    return list;
}

void Radio::broadcastUnproto(const QByteArray &fromCall, const QByteArray &toCall,
                             const QByteArray &data) {
    for (Station *station : stationList())
        station->heardUnproto(fromCall, toCall, data);
}

void Radio::passTime(qint64 milliseconds) {
    for (Station *station : stationList())
        station->timePassed(milliseconds);
}

void Radio::collectClosedLinks() {
    std::erase_if(links_, [](const auto &link) { return !link->isOpen(); });
}

void Radio::connect(Station &from, const QByteArray &toCall) {
    if (port_ && port_->answersTo(toCall)) {
        port_->incomingConnect(from, Callsign::normalized(toCall));
        return;
    }
    Station *target = station(toCall);
    const ConnectAnswer answer =
        target && target != &from ? target->answerConnect(from.call()) : ConnectAnswer::NoAnswer;
    if (answer != ConnectAnswer::Accept) {
        from.connectFailed(Callsign::normalized(toCall), answer);
        return;
    }
    links_.push_back(std::make_unique<StationLink>(from, *target));
    links_.back()->open();
}

void Radio::sendUnproto(Station &from, const QByteArray &toCall, const QByteArray &data) {
    if (port_)
        port_->heardUnproto(from.call(), Callsign::normalized(toCall), data);
}

bool Radio::transmit(const MonitorFrame &frame) {
    return port_ && port_->heardFrame(frame);
}

QByteArray Radio::tncCall() const {
    return port_ ? port_->call() : QByteArray();
}

QDateTime Radio::now() const {
    return clock_.now();
}

} // namespace krx::tncsim
