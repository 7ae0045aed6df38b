#pragma once

#include "tncsim/Station.h"

#include <QByteArrayList>
#include <deque>
#include <memory>
#include <vector>

namespace krx::tncsim {

class ChannelSet;
class Monitor;
class Radio;
class TimeStamp;

// The AX.25 links of the QSO channels: connect and disconnect, frames both ways between the
// host's channel and the station behind it, the link texts (code 3) and the monitor's view
// of every frame of those links.
class LinkLayer {
public:
    // The numbers are the link states the L command reports.
    enum class Phase { Disconnected = 0, Setup = 1, Connected = 4 };

    LinkLayer(ChannelSet &channels, Radio &radio, Monitor &monitor, const TimeStamp &stamp);
    ~LinkLayer();

    // Time from the connect request to the station's answer.
    void setConnectDelay(int milliseconds) { connectDelay_ = milliseconds; }
    // Time an information frame from the host takes to reach the station.
    void setLinkDelay(int milliseconds) { linkDelay_ = milliseconds; }

    // The channel must be disconnected and the calls valid.
    void connect(int channel, const QByteArray &call, const QByteArrayList &via);
    // The channel must not be disconnected.
    void disconnect(int channel);
    // Information from the host; the channel must not be disconnected.
    void send(int channel, const QByteArray &data);
    // The station of a connected channel stops answering: the TNC polls it in vain and
    // reports LINK FAILURE; frames not yet delivered are lost.
    void loseLink(int channel);
    // A station calls one of the TNC's calls.
    void incoming(Station &from, const QByteArray &toCall);
    void passTime(qint64 milliseconds);
    // Frees the connection objects of ended links; called where no station callback runs.
    void collectClosed();

    Phase phase(int channel) const;
    QByteArray remoteCall(int channel) const;
    int framesWaiting(int channel) const;
    int tries(int channel) const;
    int linksInUse() const;
    bool anyLinkUp() const;

private:
    class ChannelConnection;
    struct Outgoing {
        QByteArray data;
        qint64 due;
    };
    struct Link {
        Phase phase = Phase::Disconnected;
        QByteArray localCall;
        QByteArray remoteCall;
        QByteArrayList via;
        int sendSequence = 0;
        int receiveSequence = 0;
        qint64 answerDue = 0;
        std::deque<Outgoing> outgoing;
        Station *station = nullptr;
        ChannelConnection *connection = nullptr;
    };

    void answerConnect(int channel);
    void linkUp(int channel, Station &station);
    void linkDown(int channel, const QByteArray &event);
    void deliverDue(int channel, bool all);
    void stationSends(int channel, const QByteArray &data);
    void stationDisconnects(int channel);
    void queueLinkText(int channel, const QByteArray &event, bool withVia = false);
    void reportOurs(int channel, const QByteArray &control, const QByteArray &info = {});
    void reportTheirs(int channel, const QByteArray &control, const QByteArray &info = {});

    ChannelSet &channels_;
    Radio &radio_;
    Monitor &monitor_;
    const TimeStamp &stamp_;
    std::vector<Link> links_;
    std::vector<std::unique_ptr<ChannelConnection>> connections_;
    int connectDelay_ = 0;
    int linkDelay_ = 0;
    qint64 now_ = 0;
};

} // namespace krx::tncsim
