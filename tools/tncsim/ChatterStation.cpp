#include "tncsim/ChatterStation.h"

#include "tncsim/OnAirLink.h"

namespace krx::tncsim {

namespace {

using End = OnAirLink::End;

struct QsoLine {
    End from;
    const char *text;
};

struct Partner {
    const char *call;
    QList<QsoLine> lines;
    const char *beaconTo;
    const char *beacon;
    // Stations differ: some send UI frames as version-2 commands (a mark after "UI"), some not.
    bool versionTwoBeacon;
};

const QList<Partner> &partners() {
    static const QList<Partner> list{
        {"QQ2PEK",
         {{End::Caller, "Good evening Pekka, how is the new antenna doing?\r"},
          {End::Called, "Evening! It works fine, the node comes in S9 all day.\r"},
          {End::Caller, "Great. 73 and talk to you later.\r"},
          {End::Called, "73!\r"}},
         "BEACON",
         "QQ2PEK mailbox open, send P QQ2PEK to leave a note.\r",
         false},
        {"QQ8TIM-15",
         {{End::Caller, "Tim, the club meeting moved to Thursday at 19.\r"},
          {End::Called, "Thanks, I will be there.\rCan you bring the spare coax?\r"},
          {End::Caller, "Will do. 73\r"}},
         "CQ",
         "Anyone around on 144.800 for a chat?\r",
         true},
        {"QQ9MAR-7",
         {{End::Caller, "Hi Marja, did the packet mail reach you?\r"},
          {End::Called, "Yes it did, the answer is on its way.\r"}},
         "ID",
         "QQ9MAR-7/R digipeater, Kuopio\r",
         false},
    };
    return list;
}

} // namespace

ChatterStation::ChatterStation(const QByteArray &call, qint64 intervalMilliseconds)
    : Station(call), period_(intervalMilliseconds, intervalMilliseconds) {}

void ChatterStation::timePassed(qint64 milliseconds) {
    for (int bursts = period_.elapse(milliseconds); bursts > 0; --bursts)
        sendNextBurst();
}

QList<MonitorFrame> ChatterStation::sendNextBurst() {
    if (bursts_.empty())
        planNextScene();
    const QList<MonitorFrame> burst = bursts_.front();
    bursts_.pop_front();
    if (isAttached())
        for (const MonitorFrame &frame : burst)
            network().transmit(frame);
    return burst;
}

// A QSO with each partner in turn, each followed by that partner's beacon.
void ChatterStation::planNextScene() {
    const int partner = (scene_ / 2) % int(partners().size());
    if (scene_ % 2 == 0)
        planQso(partner);
    else
        planBeacon(partner);
    ++scene_;
}

void ChatterStation::planQso(int partner) {
    OnAirLink link(call(), partners().at(partner).call);
    bursts_.push_back(link.open());
    for (const QsoLine &line : partners().at(partner).lines)
        bursts_.push_back(link.say(line.from, line.text));
    bursts_.push_back(link.close(End::Caller));
}

void ChatterStation::planBeacon(int partner) {
    const Partner &from = partners().at(partner);
    bursts_.push_back(
        {{from.call, from.beaconTo, {}, from.versionTwoBeacon ? "UI^" : "UI", "F0", from.beacon}});
}

} // namespace krx::tncsim
