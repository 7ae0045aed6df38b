#pragma once

#include "tncsim/LineBuffer.h"
#include "tncsim/Period.h"
#include "tncsim/Station.h"

#include <QByteArrayList>
#include <QTime>
#include <map>

namespace krx::tncsim {

// One DX spot: who heard which station where.
struct DxSpot {
    QByteArray spotter;
    double frequencyKhz = 0;
    QByteArray dxCall;
    QByteArray comment;
};

// A DX cluster. A station that connects gets a greeting and the prompt; from then on every
// spot goes to it as a spot line ended with BEL characters, as real clusters mark spots.
// A spot comes every so often. Commands, one a line: "SH/DX" lists the latest spots, "B",
// "BYE", "Q" or "QUIT" ends the link; any other line gets the prompt again.
class DxClusterStation final : public Station {
public:
    static constexpr qint64 kDefaultInterval = 15000;
    static constexpr int kSpotsListed = 5;
    static constexpr char kSpotMark[] = "\a\a";

    explicit DxClusterStation(const QByteArray &call,
                              qint64 intervalMilliseconds = kDefaultInterval);

    // "DX de QQ6AB:     14025.0  QQ0XYZ       CQ DX                     1234Z", no line end.
    static QByteArray spotLine(const DxSpot &spot, const QTime &utc);

    // The next spot to every connected station at once; returns its line without the mark.
    QByteArray spotNow();
    int userCount() const { return int(users_.size()); }

    void connected(Connection &connection) override;
    void received(Connection &connection, const QByteArray &data) override;
    void disconnected(Connection &connection) override;
    void timePassed(qint64 milliseconds) override;

private:
    QByteArray prompt(const Connection &connection) const;
    void command(Connection &connection, const QByteArray &line);

    Period period_;
    int nextSpot_ = 0;
    QByteArrayList latest_; // the newest first
    std::map<Connection *, LineBuffer> users_;
};

} // namespace krx::tncsim
