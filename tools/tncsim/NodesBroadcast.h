#pragma once

#include "tncsim/MonitorFrame.h"

#include <QList>

namespace krx::tncsim {

// One route of a NET/ROM routing table.
struct NodesRoute {
    QByteArray call;      // the destination node
    QByteArray alias;     // its alias, up to 6 characters
    QByteArray neighbour; // the best neighbour towards it
    int quality = 0;      // 0 to 255
};

// A NET/ROM routing broadcast: UI frames to NODES with pid CF. Each frame's contents are the
// signature byte 0xFF, the sender's alias (6 bytes, blank padded) and 21-byte entries: the
// destination call (7 bytes in AX.25 address form), its alias (6 bytes), the neighbour's call
// (7 bytes) and the quality (1 byte). A frame holds at most 11 entries; more routes go in
// further frames, each with the signature and the alias again.
class NodesBroadcast {
public:
    static constexpr char kSignature = char(0xFF);
    static constexpr int kAliasSize = 6;
    static constexpr int kAddressSize = 7;
    static constexpr int kEntrySize = 21;
    static constexpr int kMaxEntriesPerFrame = 11;

    NodesBroadcast(const QByteArray &alias, const QList<NodesRoute> &routes)
        : alias_(alias), routes_(routes) {}

    const QByteArray &alias() const { return alias_; }
    const QList<NodesRoute> &routes() const { return routes_; }

    // The frames as the monitor hears them from `from`. A version-2 sender marks its UI
    // frames as commands ("ctl UI^"); others send them without a mark ("ctl UI").
    QList<MonitorFrame> frames(const QByteArray &from, bool versionTwoCommand = true) const;
    // The contents of one frame with these routes (at most kMaxEntriesPerFrame).
    static QByteArray contents(const QByteArray &alias, const QList<NodesRoute> &routes);
    // A call in AX.25 address form: six characters shifted left by one, blank padded, then the
    // SSID byte 0x60 | SSID << 1.
    static QByteArray address(const QByteArray &call);

private:
    QByteArray alias_;
    QList<NodesRoute> routes_;
};

} // namespace krx::tncsim
