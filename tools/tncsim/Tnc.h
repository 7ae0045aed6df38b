#pragma once

#include "tncsim/ChannelSet.h"
#include "tncsim/CommandInterpreter.h"
#include "tncsim/HostFrameReader.h"
#include "tncsim/LinkLayer.h"
#include "tncsim/Monitor.h"
#include "tncsim/Radio.h"
#include "tncsim/TimeStamp.h"
#include "tncsim/TncParameters.h"
#include "tncsim/Violation.h"

#include <QList>
#include <functional>
#include <memory>

namespace krx {
class Clock;
class Timer;
} // namespace krx

namespace krx::tncsim {

// A strict WA8DED host-mode TNC with simulated stations behind it. It starts in terminal
// mode; ESC "JHOST1" CR switches it to host mode, where it answers every frame from the host
// with exactly one response. Bytes from the host go in with write(); the answer is read out
// with takeOutput(). Anything the host does against the protocol is kept as a Violation.
// Time (connect delays, stations that act by themselves) moves on a timer of the clock.
class Tnc final : private RadioPort {
public:
    static constexpr int kTickMilliseconds = 100;

    explicit Tnc(Clock &clock);
    ~Tnc() override;
    Tnc(const Tnc &) = delete;
    Tnc &operator=(const Tnc &) = delete;

    // The host side of the line.
    void write(const QByteArray &bytes);
    QByteArray takeOutput();
    bool isHostMode() const { return hostMode_; }

    // The stations behind the TNC.
    Radio &radio() { return radio_; }
    bool addStation(std::unique_ptr<Station> station);

    // From now on the command fails with code 2 and the text; "X 1" also matches "x1".
    void rejectCommand(const QByteArray &command,
                       const QByteArray &errorText = QByteArrayLiteral("INVALID PARAMETER"));
    // Time from a connect command to the station's answer; 0 answers at once.
    void setConnectDelay(int milliseconds) { links_.setConnectDelay(milliseconds); }
    // Time an information frame takes to reach the station; 0 delivers at once.
    void setLinkDelay(int milliseconds) { links_.setLinkDelay(milliseconds); }
    // A frame heard on the air, shown on channel 0 when monitoring is on. False when it is
    // not shown: monitoring is off for its kind, or the contents exceed 256 bytes.
    bool injectMonitorFrame(const MonitorFrame &frame) { return monitor_.inject(frame); }
    // The station linked on the channel goes off the air: the TNC's polls go unanswered and
    // it reports LINK FAILURE. False when the channel has no link up.
    bool loseLink(int channel);

    // State, for tests and reports.
    int channelCount() const { return channels_.count(); }
    QByteArray ownCall(int channel = 0) const { return channels_.ownCall(channel); }
    QByteArray parameter(const QByteArray &name) const { return parameters_.value(name); }
    LinkLayer::Phase linkPhase(int channel) const { return links_.phase(channel); }
    QByteArray linkedCall(int channel) const { return links_.remoteCall(channel); }

    const QList<Violation> &violations() const { return violations_; }
    int violationCount() const { return int(violations_.size()); }
    // Called for every violation as it happens.
    void setViolationHandler(std::function<void(const Violation &)> handler) {
        violationHandler_ = std::move(handler);
    }

private:
    // RadioPort
    QByteArray call() const override;
    bool answersTo(const QByteArray &call) const override;
    void incomingConnect(Station &from, const QByteArray &toCall) override;
    void heardUnproto(const QByteArray &fromCall, const QByteArray &toCall,
                      const QByteArray &data) override;
    bool heardFrame(const MonitorFrame &frame) override { return monitor_.inject(frame); }

    void noteUnreadAnswer();
    void handle(const HostFrameReader::Request &request);
    void handleTerminalLine(const QByteArray &line);
    void handleInformation(int channel, const QByteArray &data);
    void tick();
    void collectClosed();
    void violation(Violation::Kind kind, const QString &text);

    Clock &clock_;
    TncParameters parameters_;
    TimeStamp stamp_{clock_, parameters_};
    ChannelSet channels_;
    Radio radio_{clock_};
    Monitor monitor_;
    LinkLayer links_{channels_, radio_, monitor_, stamp_};
    CommandInterpreter commands_{channels_, parameters_, links_};
    HostFrameReader reader_;
    QByteArray output_;
    bool hostMode_ = false;
    bool requestFlagged_ = false;
    QList<Violation> violations_;
    std::function<void(const Violation &)> violationHandler_;
    std::unique_ptr<Timer> timer_;
};

} // namespace krx::tncsim
