#include "tncsim/NodesBroadcast.h"

#include "tncsim/Callsign.h"

namespace krx::tncsim {

namespace {

constexpr int kCallCharacters = 6;

QByteArray aliasField(const QByteArray &alias) {
    return alias.left(NodesBroadcast::kAliasSize).leftJustified(NodesBroadcast::kAliasSize, ' ');
}

} // namespace

QByteArray NodesBroadcast::address(const QByteArray &call) {
    const QByteArray normalized = Callsign::normalized(call);
    const qsizetype dash = normalized.indexOf('-');
    const QByteArray base = (dash < 0 ? normalized : normalized.left(dash))
                                .left(kCallCharacters)
                                .leftJustified(kCallCharacters, ' ');
    const int ssid = dash < 0 ? 0 : normalized.mid(dash + 1).toInt() & 15;
    QByteArray bytes;
    for (char character : base)
        bytes += char(quint8(character) << 1);
    bytes += char(0x60 | ssid << 1);
    return bytes;
}

QByteArray NodesBroadcast::contents(const QByteArray &alias, const QList<NodesRoute> &routes) {
    QByteArray bytes = kSignature + aliasField(alias);
    for (const NodesRoute &route : routes)
        bytes += address(route.call) + aliasField(route.alias) + address(route.neighbour) +
                 char(quint8(route.quality));
    return bytes;
}

QList<MonitorFrame> NodesBroadcast::frames(const QByteArray &from, bool versionTwoCommand) const {
    const QByteArray sender = Callsign::normalized(from);
    const QByteArray control = versionTwoCommand ? "UI^" : "UI";
    QList<MonitorFrame> frames;
    qsizetype at = 0;
    do {
        const QByteArray bytes = contents(alias_, routes_.mid(at, kMaxEntriesPerFrame));
        frames << MonitorFrame{sender, "NODES", {}, control, "CF", bytes};
        at += kMaxEntriesPerFrame;
    } while (at < routes_.size());
    return frames;
}

} // namespace krx::tncsim
