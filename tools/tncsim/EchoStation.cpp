#include "tncsim/EchoStation.h"

namespace krx::tncsim {

void EchoStation::received(Connection &connection, const QByteArray &data) {
    for (const QByteArray &line : lines_[&connection].add(data))
        connection.send(line);
}

void EchoStation::disconnected(Connection &connection) {
    lines_.erase(&connection);
}

} // namespace krx::tncsim
