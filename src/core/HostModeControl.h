#pragma once

#include "core/ChannelStates.h"
#include "core/Clock.h"
#include "core/ResponseEndpoints.h"
#include "core/SendOperations.h"
#include "transport/Twa8ded.h"

#include <QByteArrayList>
#include <QObject>
#include <array>
#include <deque>
#include <memory>

namespace krx {

class Kernel;
class Transport;

// Drives the TNC in host mode: switches it into host mode, sends the init commands, keeps it
// polled with exactly one frame in flight, routes every response to the window of its channel
// and watches the line. Every window sends through its send operations.
class HostModeControl : public QObject, public SendOperations {
    Q_OBJECT
public:
    static constexpr int lineWatchdogMs = 20000;
    static constexpr int repollMs = 20000;
    static constexpr int initAnswerTimeoutMs = 5000;
    static constexpr int detectionBufferSize = 2049;

    HostModeControl(Kernel &kernel, Timer &endTimer);
    ~HostModeControl() override;

    // Opens the transport (given its ownership) and asks the TNC to enter host mode.
    void start(std::unique_ptr<Transport> transport);
    // Switches the TNC back to terminal mode at the next response (the orderly end).
    void closeTransport();
    Transport *transport() const { return transport_.get(); }

    void setChannelEndpoint(int channel, ChannelEndpoint *endpoint);
    void setMonitorEndpoint(MonitorEndpoint *endpoint) { monitor_ = endpoint; }

    // The send operations of the windows.
    void SendText(int channel, const QByteArray &text) override;
    void SendBytes(int channel, const QByteArray &bytes) override;
    void SendCommand(int channel, const QByteArray &command,
                     ReplyKind kind = ReplyKind::Command) override;
    int transmitRoom(int channel) const override;

    ChannelStates &channels() { return channels_; }
    Twa8ded &link() { return link_; }
    const Twa8ded &link() const { return link_; }
    Timer &lineWatchdog() { return *lineWatchdog_; }
    bool isInitialising() const { return link_.isInitialising(); }
    bool isLineLost() const { return lineLost_; }
    int queuedFrames() const { return int(queue_.size()); }

signals:
    void monitorCaptionChanged(const QString &caption);
    // The TNC's free-buffer figure for the status bar ("Buf : n").
    void bufferReport(const QString &text);
    // The first poll went out: channel window 1 returns to its normal state.
    void firstPollSent();
    void lineLostChanged(bool lost);

private:
    struct QueuedFrame {
        QByteArray frame;
        ReplyKind kind;
    };

    void bytesArrived();
    void detectHostMode(const QByteArray &bytes);
    void addInitAnswer(const QByteArray &bytes);
    void sendNextInitCommand();
    void finishInitialisation();
    void sendFirstPoll();
    void handleResponse(const QByteArray &bytes);
    void leaveHostMode();
    void route(const HostResponse &response);
    void sendNextFrame(int code);
    void sendPoll(int code);
    void queue(const QByteArray &frame, ReplyKind kind);
    void watchdogExpired();
    void resumeLine();
    void send(const QByteArray &frame);
    bool sendsNothing() const;

    Kernel &kernel_;
    Timer &endTimer_;
    Twa8ded link_;
    std::unique_ptr<Transport> transport_;
    ChannelStates channels_;
    std::array<ChannelEndpoint *, ChannelStates::maxChannels + 1> endpoints_{};
    MonitorEndpoint *monitor_ = nullptr;

    QByteArray detectionBuffer_;
    QByteArrayList initCommands_;
    int initIndex_ = 0;
    std::deque<QueuedFrame> queue_;
    bool lineLost_ = false;
    std::unique_ptr<Timer> lineWatchdog_;
    std::unique_ptr<Timer> repollTimer_;
    std::unique_ptr<Timer> initAnswerTimer_;
};

} // namespace krx
