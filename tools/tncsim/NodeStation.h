#pragma once

#include "tncsim/LineBuffer.h"
#include "tncsim/Station.h"

#include <map>

namespace krx::tncsim {

// A network node. A user connected to it gives commands line by line: "C CALL" connects on
// to CALL ("*** CONNECTED to CALL", "*** BUSY from CALL" or "*** FAILURE with CALL") and
// from then on everything is relayed both ways; "B" ends the user's link. When the far
// station ends its link the user hears "*** Reconnected to NODE" and can connect again.
class NodeStation final : public Station {
public:
    using Station::Station;

    void connected(Connection &connection) override;
    void received(Connection &connection, const QByteArray &data) override;
    void disconnected(Connection &connection) override;
    void connectFailed(const QByteArray &toCall, ConnectAnswer answer) override;

private:
    struct User {
        LineBuffer lines;
        Connection *onward = nullptr; // the link to the station the user connected to
    };

    void receivedFromUser(Connection &user, const QByteArray &data);
    void command(Connection &user, const QByteArray &line);

    std::map<Connection *, User> users_;
    std::map<Connection *, Connection *> userOfOnward_;
    Connection *connectingUser_ = nullptr;
};

} // namespace krx::tncsim
