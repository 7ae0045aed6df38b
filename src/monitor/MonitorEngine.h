#pragma once

#include "core/ChannelStates.h"
#include "core/Language.h"
#include "core/ResponseEndpoints.h"
#include "monitor/MonitorLog.h"
#include "monitor/MonitorPane.h"
#include "monitor/UnprotoHooks.h"

#include <QObject>

namespace krx {

class Kernel;
class SendOperations;

// The monitor window's engine: the terminal of host-mode channel 0. It shows what the TNC
// monitors and answers on channel 0, follows channel 0's link state, captures the mailbox's
// unproto header broadcasts for the lists window, decodes NET/ROM nodes broadcasts, keeps the
// optional log file and sends what the user types in the command pane.
class MonitorEngine : public QObject, public MonitorEndpoint {
    Q_OBJECT
public:
    static constexpr int initialFastReadThreshold = 3;
    static constexpr char connectSound[] = "con_aani.wav";
    static constexpr char logFolder[] = "pub";

    // The two numbers of channel 0's status answer; -1 where the text held no number.
    struct StatusNumbers {
        int linkMessages = -1;
        int monitorFrames = -1;
    };

    MonitorEngine(Kernel &kernel, SendOperations &send);

    void ShowMonitorText(const QByteArray &text, int code) override;
    void CaptureMonitor(const HostResponse &response) override;
    // Shows the status answer and returns the monitor frames waiting in the TNC when they are
    // above the fast-read threshold, otherwise 0.
    int ShowMonitorStatus(const QByteArray &text) override;

    MonitorPane &pane() { return pane_; }
    const MonitorPane &pane() const { return pane_; }
    Language language() const;

    void setUnprotoHooks(UnprotoHooks hooks) { unproto_ = std::move(hooks); }
    // Set by the debug window.
    void setFastReadThreshold(int frames) { fastReadThreshold_ = frames; }
    int fastReadThreshold() const { return fastReadThreshold_; }

    // Read by the main window's channel-0 toolbar button.
    LinkState linkState() const { return linkState_; }
    bool headerFollows() const { return headerFollows_; }
    bool nodesFollow() const { return nodesFollow_; }
    StatusNumbers statusNumbers() const { return statusNumbers_; }

    // The command pane: Enter sends the current line as unproto text, Ctrl+Enter as a command
    // to the TNC, other control characters go out at once.
    void sendUnprotoLine(const QByteArray &line);
    void sendCommandLine(const QByteArray &line);
    void sendControlCharacter(char character);

    // The log menu entry: closes an open log, otherwise asks for a file in "pub" and opens it.
    void toggleLog();
    // Flushes and closes an open log (the window closing).
    void closeLog();
    bool isLogging() const { return log_.isOpen(); }

    void toggleScrollLock() { pane_.setScrollLock(!pane_.scrollLock()); }

signals:
    void statusTextChanged(const QByteArray &text);
    void loggingChanged(bool on);

private:
    void followLinkStatus(const QByteArray &text);
    void noteHeader(const QByteArray &header);
    void captureHeaderLines(const QByteArray &contents);
    void logText(const QByteArray &text);
    QString failureText(const BiText &text) const;

    Kernel &kernel_;
    SendOperations &send_;
    MonitorPane pane_;
    MonitorLog log_;
    UnprotoHooks unproto_;
    LinkState linkState_ = LinkState::Disconnected;
    bool headerFollows_ = false;
    bool nodesFollow_ = false;
    int fastReadThreshold_ = initialFastReadThreshold;
    StatusNumbers statusNumbers_;
};

} // namespace krx
