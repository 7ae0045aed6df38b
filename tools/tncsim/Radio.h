#pragma once

#include "tncsim/Station.h"

#include <memory>
#include <vector>

namespace krx {
class Clock;
}

namespace krx::tncsim {

// The TNC as the other stations on the air reach it.
class RadioPort {
public:
    virtual ~RadioPort() = default;
    virtual QByteArray call() const = 0;
    virtual bool answersTo(const QByteArray &call) const = 0;
    // `from` calls `toCall`, one of the calls the TNC answers to.
    virtual void incomingConnect(Station &from, const QByteArray &toCall) = 0;
    virtual void heardUnproto(const QByteArray &fromCall, const QByteArray &toCall,
                              const QByteArray &data) = 0;
    // A frame of other stations' traffic; false when the monitor does not show it.
    virtual bool heardFrame(const MonitorFrame &frame) = 0;
};

// The air behind the TNC: the registered stations and the links between them.
class Radio final : public Network {
public:
    explicit Radio(const Clock &clock);
    ~Radio() override;

    void setPort(RadioPort *port) { port_ = port; }
    // False when a station with the same call is already there.
    bool addStation(std::unique_ptr<Station> station);
    Station *station(const QByteArray &call) const;

    // The TNC's host sent an unproto frame: every station hears it.
    void broadcastUnproto(const QByteArray &fromCall, const QByteArray &toCall,
                          const QByteArray &data);
    void passTime(qint64 milliseconds);
    // Frees links that ended; called where no station callback is running.
    void collectClosedLinks();

    // Network
    void connect(Station &from, const QByteArray &toCall) override;
    void sendUnproto(Station &from, const QByteArray &toCall, const QByteArray &data) override;
    bool transmit(const MonitorFrame &frame) override;
    QByteArray tncCall() const override;
    QDateTime now() const override;

private:
    class StationLink;

    std::vector<Station *> stationList() const;

    const Clock &clock_;
    RadioPort *port_ = nullptr;
    std::vector<std::unique_ptr<Station>> stations_;
    std::vector<std::unique_ptr<StationLink>> links_;
};

} // namespace krx::tncsim
