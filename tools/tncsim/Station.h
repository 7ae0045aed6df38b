#pragma once

#include "tncsim/MonitorFrame.h"

#include <QByteArray>
#include <QDateTime>

namespace krx::tncsim {

class Station;

// How a station answers a connect request.
enum class ConnectAnswer {
    Accept,   // UA: the link comes up
    Busy,     // DM: the caller hears BUSY
    NoAnswer, // silence: the caller's tries run out (LINK FAILURE)
};

// One end of an AX.25 link, as the station at that end holds it. It is valid from the
// station's connected() until its disconnected() returns; after a disconnect it ignores calls.
class Connection {
public:
    virtual ~Connection() = default;
    virtual QByteArray localCall() const = 0;
    virtual QByteArray remoteCall() const = 0;
    virtual bool isOpen() const = 0;
    // Data for the other end; the link cuts it into frames.
    virtual void send(const QByteArray &data) = 0;
    virtual void disconnect() = 0;
};

// What a station can do on the air.
class Network {
public:
    virtual ~Network() = default;
    // Starts a connection to a station or to the TNC (its own call, tncCall()). The result
    // reaches `from` as connected(), before the other end hears of it, or as connectFailed().
    virtual void connect(Station &from, const QByteArray &toCall) = 0;
    // A UI frame with pid F0; the TNC monitors it.
    virtual void sendUnproto(Station &from, const QByteArray &toCall, const QByteArray &data) = 0;
    // Any frame heard on the air as its sender put it together: traffic between other
    // stations, NODES broadcasts. The TNC only monitors it; false when it is not shown.
    virtual bool transmit(const MonitorFrame &frame) = 0;
    virtual QByteArray tncCall() const = 0;
    virtual QDateTime now() const = 0;
};

// A simulated station behind the TNC, registered by its call. Stations run inside the
// simulator's calls; they may send and disconnect from any of these callbacks.
class Station {
public:
    explicit Station(const QByteArray &call);
    virtual ~Station();
    Station(const Station &) = delete;
    Station &operator=(const Station &) = delete;

    const QByteArray &call() const { return call_; }

    virtual ConnectAnswer answerConnect(const QByteArray &fromCall);
    // A link is up, whoever started it.
    virtual void connected(Connection &connection);
    virtual void received(Connection &connection, const QByteArray &data);
    // The link is gone, whoever ended it.
    virtual void disconnected(Connection &connection);
    // A connect this station started did not come up.
    virtual void connectFailed(const QByteArray &toCall, ConnectAnswer answer);
    // An unproto frame from the TNC's host was heard.
    virtual void heardUnproto(const QByteArray &fromCall, const QByteArray &toCall,
                              const QByteArray &data);
    // Simulated time moves on, for stations that act by themselves.
    virtual void timePassed(qint64 milliseconds);

    // Called once when the station is registered.
    void attach(Network &network) { network_ = &network; }

protected:
    Network &network() const { return *network_; }
    bool isAttached() const { return network_ != nullptr; }

private:
    QByteArray call_;
    Network *network_ = nullptr;
};

} // namespace krx::tncsim
