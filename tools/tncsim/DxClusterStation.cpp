#include "tncsim/DxClusterStation.h"

#include <QLocale>
#include <vector>

namespace krx::tncsim {

namespace {

const QList<DxSpot> kSpots{
    {"QQ6AB", 14025.0, "QQ0XYZ", "CQ DX"},
    {"QQ2KL", 7012.5, "QQ0ABC", "up 2"},
    {"QQ8RT", 21074.0, "QQ0DEF", "FT8 -12 dB"},
    {"QQ4MN", 3520.0, "QQ0GHI", "strong signal"},
    {"QQ9PQ", 28495.0, "QQ0JKL/P", "island activation"},
    {"QQ3UV", 50110.0, "QQ0MNO", "Es opening"},
};

QByteArray word(const QByteArray &line) {
    return line.simplified().split(' ').front().toUpper();
}

} // namespace

DxClusterStation::DxClusterStation(const QByteArray &call, qint64 intervalMilliseconds)
    : Station(call), period_(intervalMilliseconds, intervalMilliseconds) {}

// Columns as a DX Spider cluster lays them out.
QByteArray DxClusterStation::spotLine(const DxSpot &spot, const QTime &utc) {
    return "DX de " + (spot.spotter + ':').leftJustified(7, ' ', true) +
           QByteArray::number(spot.frequencyKhz, 'f', 1).rightJustified(11, ' ') + "  " +
           spot.dxCall.leftJustified(12, ' ', true) + ' ' +
           spot.comment.leftJustified(25, ' ', true) + ' ' +
           QLocale::c().toString(utc, QStringLiteral("hhmm")).toLatin1() + 'Z';
}

QByteArray DxClusterStation::prompt(const Connection &connection) const {
    const QDateTime utc = network().now().toUTC();
    return connection.remoteCall() + " de " + call() + ' ' +
           QLocale::c().toString(utc, QStringLiteral("dd-MMM-yyyy hhmm")).toLatin1() +
           "Z dxspider >\r";
}

void DxClusterStation::connected(Connection &connection) {
    users_[&connection] = LineBuffer{};
    connection.send("Hello " + connection.remoteCall() + ", this is " + call() +
                    ", a simulated DX cluster\r" + prompt(connection));
}

void DxClusterStation::received(Connection &connection, const QByteArray &data) {
    const auto user = users_.find(&connection);
    if (user == users_.end())
        return;
    for (const QByteArray &line : user->second.add(data)) {
        command(connection, line);
        if (!users_.contains(&connection))
            return; // the command ended the link
    }
}

void DxClusterStation::command(Connection &connection, const QByteArray &line) {
    const QByteArray verb = word(line);
    if (verb == "B" || verb == "BYE" || verb == "Q" || verb == "QUIT") {
        connection.send("73 de " + call() + '\r');
        connection.disconnect();
        return;
    }
    if (verb == "SH/DX" || verb == "SHOW/DX") {
        QByteArray listing;
        for (const QByteArray &spot : latest_)
            listing += spot + '\r';
        connection.send(listing.isEmpty() ? QByteArray("No spots yet\r") : listing);
    }
    connection.send(prompt(connection));
}

void DxClusterStation::disconnected(Connection &connection) {
    users_.erase(&connection);
}

QByteArray DxClusterStation::spotNow() {
    if (!isAttached())
        return {};
    const QByteArray line = spotLine(kSpots.at(nextSpot_), network().now().toUTC().time());
    nextSpot_ = (nextSpot_ + 1) % int(kSpots.size());
    latest_.prepend(line);
    if (latest_.size() > kSpotsListed)
        latest_.removeLast();
    // A user may leave while hearing the spot.
    std::vector<Connection *> users;
    for (const auto &[connection, lines] : users_)
        users.push_back(connection);
    for (Connection *connection : users)
        if (users_.contains(connection))
            connection->send(line + kSpotMark + '\r');
    return line;
}

void DxClusterStation::timePassed(qint64 milliseconds) {
    for (int spots = period_.elapse(milliseconds); spots > 0; --spots)
        spotNow();
}

} // namespace krx::tncsim
