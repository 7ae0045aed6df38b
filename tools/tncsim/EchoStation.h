#pragma once

#include "tncsim/LineBuffer.h"
#include "tncsim/Station.h"

#include <map>

namespace krx::tncsim {

// Sends every CR-terminated line back on the link it came from.
class EchoStation : public Station {
public:
    using Station::Station;

    void received(Connection &connection, const QByteArray &data) override;
    void disconnected(Connection &connection) override;

private:
    std::map<Connection *, LineBuffer> lines_;
};

} // namespace krx::tncsim
