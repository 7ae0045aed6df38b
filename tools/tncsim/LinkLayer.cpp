#include "tncsim/LinkLayer.h"

#include "tncsim/Callsign.h"
#include "tncsim/ChannelSet.h"
#include "tncsim/HostResponse.h"
#include "tncsim/Monitor.h"
#include "tncsim/Radio.h"
#include "tncsim/TimeStamp.h"

#include <algorithm>

namespace krx::tncsim {

namespace {

QByteArray sequence(int number) {
    return QByteArray::number(number % 8);
}

QByteArrayList reversed(QByteArrayList list) {
    std::reverse(list.begin(), list.end());
    return list;
}

} // namespace

// The station's end of a channel's link.
class LinkLayer::ChannelConnection final : public Connection {
public:
    ChannelConnection(LinkLayer &layer, int channel, QByteArray stationCall, QByteArray tncCall)
        : layer_(layer), channel_(channel), stationCall_(std::move(stationCall)),
          tncCall_(std::move(tncCall)) {}

    QByteArray localCall() const override { return stationCall_; }
    QByteArray remoteCall() const override { return tncCall_; }
    bool isOpen() const override { return open_; }
    void send(const QByteArray &data) override {
        if (open_ && !data.isEmpty())
            layer_.stationSends(channel_, data);
    }
    void disconnect() override {
        if (open_)
            layer_.stationDisconnects(channel_);
    }
    void close() { open_ = false; }

private:
    LinkLayer &layer_;
    int channel_;
    QByteArray stationCall_;
    QByteArray tncCall_;
    bool open_ = true;
};

LinkLayer::LinkLayer(ChannelSet &channels, Radio &radio, Monitor &monitor, const TimeStamp &stamp)
    : channels_(channels), radio_(radio), monitor_(monitor), stamp_(stamp),
      links_(ChannelSet::kMaxChannels + 1) {}

LinkLayer::~LinkLayer() = default;

void LinkLayer::connect(int channel, const QByteArray &call, const QByteArrayList &via) {
    Link &link = links_.at(channel);
    link = Link{};
    link.phase = Phase::Setup;
    link.localCall = channels_.ownCall(channel);
    link.remoteCall = Callsign::normalized(call);
    for (const QByteArray &digipeater : via)
        link.via << Callsign::normalized(digipeater);
    link.answerDue = now_ + connectDelay_;
    reportOurs(channel, "SABM+");
    if (connectDelay_ <= 0)
        answerConnect(channel);
}

void LinkLayer::answerConnect(int channel) {
    Link &link = links_.at(channel);
    Station *station = radio_.station(link.remoteCall);
    const ConnectAnswer answer =
        station ? station->answerConnect(link.localCall) : ConnectAnswer::NoAnswer;
    switch (answer) {
    case ConnectAnswer::Accept:
        reportTheirs(channel, "UA-");
        linkUp(channel, *station);
        break;
    case ConnectAnswer::Busy:
        reportTheirs(channel, "DM-");
        linkDown(channel, "BUSY fm");
        break;
    case ConnectAnswer::NoAnswer:
        linkDown(channel, "LINK FAILURE with");
        break;
    }
}

void LinkLayer::incoming(Station &from, const QByteArray &toCall) {
    int free = 0;
    for (int channel = channels_.count(); channel >= 1; --channel)
        if (links_.at(channel).phase == Phase::Disconnected)
            free = channel;
    if (free == 0) {
        monitor_.report({from.call(), toCall, {}, "SABM+", {}, {}});
        monitor_.report({toCall, from.call(), {}, "DM-", {}, {}});
        from.connectFailed(toCall, ConnectAnswer::Busy);
        return;
    }
    Link &link = links_.at(free);
    link = Link{};
    link.localCall = toCall;
    link.remoteCall = from.call();
    reportTheirs(free, "SABM+");
    reportOurs(free, "UA-");
    linkUp(free, from);
}

void LinkLayer::linkUp(int channel, Station &station) {
    Link &link = links_.at(channel);
    link.phase = Phase::Connected;
    link.station = &station;
    queueLinkText(channel, "CONNECTED to", true);
    connections_.push_back(
        std::make_unique<ChannelConnection>(*this, channel, link.remoteCall, link.localCall));
    link.connection = connections_.back().get();
    station.connected(*link.connection);
    deliverDue(channel, false);
}

void LinkLayer::linkDown(int channel, const QByteArray &event) {
    Link &link = links_.at(channel);
    queueLinkText(channel, event);
    Station *station = link.station;
    ChannelConnection *connection = link.connection;
    link = Link{};
    if (connection) {
        connection->close();
        station->disconnected(*connection);
    }
}

void LinkLayer::disconnect(int channel) {
    if (links_.at(channel).phase == Phase::Connected) {
        // Frames already handed to the TNC go out before the link is taken down.
        deliverDue(channel, true);
        if (links_.at(channel).phase != Phase::Connected)
            return;
        reportOurs(channel, "DISC+");
        reportTheirs(channel, "UA-");
    }
    linkDown(channel, "DISCONNECTED fm");
}

void LinkLayer::stationDisconnects(int channel) {
    reportTheirs(channel, "DISC+");
    reportOurs(channel, "UA-");
    linkDown(channel, "DISCONNECTED fm");
}

void LinkLayer::loseLink(int channel) {
    reportOurs(channel, "RR" + sequence(links_.at(channel).receiveSequence) + "+");
    linkDown(channel, "LINK FAILURE with");
}

void LinkLayer::send(int channel, const QByteArray &data) {
    links_.at(channel).outgoing.push_back({data, now_ + linkDelay_});
    deliverDue(channel, false);
}

void LinkLayer::deliverDue(int channel, bool all) {
    Link &link = links_.at(channel);
    while (link.phase == Phase::Connected && !link.outgoing.empty() &&
           (all || link.outgoing.front().due <= now_)) {
        const QByteArray data = link.outgoing.front().data;
        link.outgoing.pop_front();
        reportOurs(channel,
                   "I" + sequence(link.receiveSequence) + sequence(link.sendSequence) + "^", data);
        link.sendSequence = (link.sendSequence + 1) % 8;
        reportTheirs(channel, "RR" + sequence(link.sendSequence) + "v");
        link.station->received(*link.connection, data);
    }
}

void LinkLayer::stationSends(int channel, const QByteArray &data) {
    Link &link = links_.at(channel);
    for (qsizetype at = 0; at < data.size(); at += HostResponse::kMaxData) {
        const QByteArray frame = data.mid(at, HostResponse::kMaxData);
        reportTheirs(channel,
                     "I" + sequence(link.sendSequence) + sequence(link.receiveSequence) + "^",
                     frame);
        link.receiveSequence = (link.receiveSequence + 1) % 8;
        channels_.at(channel).queue(HostResponse::kConnectedInfo, frame);
        reportOurs(channel, "RR" + sequence(link.receiveSequence) + "v");
    }
}

void LinkLayer::passTime(qint64 milliseconds) {
    now_ += milliseconds;
    for (int channel = 1; channel < int(links_.size()); ++channel) {
        const Link &link = links_.at(channel);
        if (link.phase == Phase::Setup && link.answerDue <= now_)
            answerConnect(channel);
        else if (link.phase == Phase::Connected)
            deliverDue(channel, false);
    }
}

void LinkLayer::collectClosed() {
    std::erase_if(connections_, [](const auto &connection) { return !connection->isOpen(); });
}

LinkLayer::Phase LinkLayer::phase(int channel) const {
    return links_.at(channel).phase;
}

QByteArray LinkLayer::remoteCall(int channel) const {
    return links_.at(channel).remoteCall;
}

int LinkLayer::framesWaiting(int channel) const {
    return int(links_.at(channel).outgoing.size());
}

int LinkLayer::tries(int channel) const {
    return links_.at(channel).phase == Phase::Setup ? 1 : 0;
}

int LinkLayer::linksInUse() const {
    return int(std::count_if(links_.begin(), links_.end(),
                             [](const Link &link) { return link.phase != Phase::Disconnected; }));
}

bool LinkLayer::anyLinkUp() const {
    return std::any_of(links_.begin(), links_.end(),
                       [](const Link &link) { return link.phase == Phase::Connected; });
}

void LinkLayer::queueLinkText(int channel, const QByteArray &event, bool withVia) {
    const Link &link = links_.at(channel);
    QByteArray text = '(' + QByteArray::number(channel) + ") " + event + ' ' + link.remoteCall;
    if (withVia && !link.via.isEmpty())
        text += " via " + link.via.join(' ');
    channels_.at(channel).queue(HostResponse::kLinkStatus, text + stamp_.suffix());
}

void LinkLayer::reportOurs(int channel, const QByteArray &control, const QByteArray &info) {
    const Link &link = links_.at(channel);
    MonitorFrame frame{link.localCall, link.remoteCall, link.via, control, {}, info};
    if (frame.frameClass() == 'I')
        frame.pid = "F0";
    monitor_.report(frame);
}

void LinkLayer::reportTheirs(int channel, const QByteArray &control, const QByteArray &info) {
    const Link &link = links_.at(channel);
    MonitorFrame frame{link.remoteCall, link.localCall, reversed(link.via), control, {}, info};
    if (frame.frameClass() == 'I')
        frame.pid = "F0";
    monitor_.report(frame);
}

} // namespace krx::tncsim
