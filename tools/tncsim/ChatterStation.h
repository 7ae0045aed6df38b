#pragma once

#include "tncsim/MonitorFrame.h"
#include "tncsim/Period.h"
#include "tncsim/Station.h"

#include <QList>
#include <deque>

namespace krx::tncsim {

// A station heard on the air that has no link with the TNC. Every so often the next burst of
// its traffic goes out: QSOs with its partners in turn (link set-up, a few lines each way, the
// end of the link), each followed by that partner's beacon, a UI frame. The TNC only monitors
// it.
class ChatterStation final : public Station {
public:
    static constexpr qint64 kDefaultInterval = 10000;

    explicit ChatterStation(const QByteArray &call, qint64 intervalMilliseconds = kDefaultInterval);

    // The next burst at once; returns its frames, whether the TNC showed them or not.
    QList<MonitorFrame> sendNextBurst();
    void timePassed(qint64 milliseconds) override;

private:
    void planNextScene();
    void planQso(int partner);
    void planBeacon(int partner);

    Period period_;
    int scene_ = 0;
    std::deque<QList<MonitorFrame>> bursts_;
};

} // namespace krx::tncsim
