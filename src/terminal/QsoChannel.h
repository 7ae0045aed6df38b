#pragma once

#include "core/ChannelStates.h"
#include "core/ResponseEndpoints.h"
#include "terminal/AlertSounds.h"
#include "terminal/DxSpotAlert.h"
#include "terminal/LinkStatusReport.h"
#include "terminal/ProcedureTable.h"
#include "terminal/RxLineModel.h"
#include "terminal/TransferMeter.h"

#include <QByteArrayList>
#include <QObject>
#include <array>
#include <functional>
#include <memory>

namespace krx {

class Kernel;
class SendOperations;
class Timer;

// The login the channel answers next: the password for a login challenge, the text that
// starts a challenge line and the challenge mode.
struct PendingLogin {
    QByteArray password; // empty: no login pending
    QByteArray passwordPrompt;
    bool challengeMode = false;
};

// What the automatic procedures of a channel share.
struct ProcedureState {
    int Procedure = 0; // code of the running procedure, 0 when none
    bool scriptActive = false;
    QByteArrayList scriptLines; // the connect script's remaining lines, current one first
    bool dx_mode = false;       // the connection was started by the DX cluster command
    QByteArray lineBuffer;      // received text not yet consumed up to a CR
    PendingLogin login;
};

// Receiving to a file and sending from a file as is, on one channel.
class RawFileTransfers {
public:
    virtual ~RawFileTransfers() = default;
    virtual bool isReceiving() const = 0;
    // Appends the data bytes of a record to the receive file.
    virtual void receive(const QByteArray &bytes) = 0;
    // The link has gone: both transfers end and their files are closed.
    virtual void endTransfers() = 0;
};

// The engine of one QSO channel window: the channel's state, the lines received, the link
// events and alerts, the status figures and what the user's typing sends. The main window
// routes every response of the channel here.
class QsoChannel : public QObject, public ChannelEndpoint {
    Q_OBJECT
public:
    static constexpr int defaultReceivedFramesThreshold = 3;

    // `channels` holds this channel's shared state and the set of connected channels.
    QsoChannel(int channel, Kernel &kernel, SendOperations &send, ChannelStates &channels,
               QObject *parent = nullptr);
    ~QsoChannel() override;

    int channel() const { return channel_; }

    // Shows one response text (display codes 1 to 7), own sent text (8) or a notice (9).
    void ShowText(const QByteArray &text, int code) override;
    // The per-response processing of the record just shown, in its fixed order: raw file
    // capture, link events, the script step, the running procedures, the remote commands.
    void ProcessResponse(const HostResponse &response) override;
    void ShowConnectStatus(const QByteArray &text) override;
    int ShowLinkStatus(const QByteArray &text) override;

    // The link events of a link-status text ("(1) CONNECTED to QQ2BBS" and the like).
    void HandleLinkStatus(const QByteArray &text);

    // Typing in the TX pane. Each returns whether the key was taken (something was sent);
    // a key not taken acts as in any editor.
    // Enter: the current line goes out in pieces of at most PACLEN characters, each with CR;
    // nothing is sent while the channel is disconnected.
    bool typeEnter(const QByteArray &line);
    // Ctrl+Enter: a non-empty line is sent as a command, whatever the link state.
    bool typeCommand(const QByteArray &line);
    // Control characters 1 to 27 other than Backspace, LF and CR are sent at once.
    bool typeControl(char character);

    ChannelState &channelState() { return channels_[channel_]; }
    const ChannelState &channelState() const { return channels_[channel_]; }
    LinkState linkState() const { return channelState().linkState; }
    ProcedureState &procedureState() { return state_; }
    const ProcedureState &procedureState() const { return state_; }
    ProcedureTable &procedures() { return procedures_; }
    RxLineModel &rx() { return rx_; }
    const RxLineModel &rx() const { return rx_; }
    TransferMeter &meter() { return meter_; }
    AlertSounds &sounds() { return sounds_; }
    // Sends a CR each time it fires; the compressed transfer sets and starts it.
    Timer &tauko() { return *tauko_; }

    // The copy of the last record received on the channel.
    const HostResponse &lastRecord() const { return lastRecord_; }
    const LinkStatusNumbers &statusNumbers() const { return statusNumbers_; }
    int receivedFramesThreshold() const { return receivedFramesThreshold_; }
    void setReceivedFramesThreshold(int frames) { receivedFramesThreshold_ = frames; }
    // The longest piece of a typed line sent at once (the PACLEN setting).
    int paclen() const { return paclen_; }

    bool scrollLock() const { return rx_.scrollLock(); }
    void setScrollLock(bool on);
    void toggleScrollLock() { setScrollLock(!scrollLock()); }

    static constexpr int statusPanelCount = 3;
    QString statusPanelText(int panel) const { return statusPanels_.at(panel); }

    // Hooks of the later procedure parts.
    using ResponseHook = std::function<void(const HostResponse &)>;
    void setRawFileTransfers(RawFileTransfers *transfers) { rawFiles_ = transfers; }
    void setScriptStep(ResponseHook step) { scriptStep_ = std::move(step); }
    void setRemoteCommandCheck(ResponseHook check) { remoteCommandCheck_ = std::move(check); }

signals:
    void captionChanged(const QString &caption);
    void statusPanelChanged(int panel, const QString &text);
    // The channel's two toolbar buttons ("n_c" and "e_c" + channel) go down or up.
    void connectionButtonsDown(bool down);
    void scrollLockChanged(bool on);

private:
    void onBusy();
    void onConnected();
    void onLinkReset();
    void onDisconnected();
    void onLinkFailure();
    void onConnectRequest();
    void onFrameReject();
    void endLink(bool endsDxMode);
    void setConnected(bool connected);
    void setStatusPanel(int panel, const QString &text);
    bool inBinaryPhase() const;

    int channel_;
    Kernel &kernel_;
    SendOperations &send_;
    ChannelStates &channels_;
    RxLineModel rx_;
    TransferMeter meter_;
    AlertSounds sounds_;
    DxSpotAlert dxAlert_;
    ProcedureTable procedures_;
    ProcedureState state_;
    HostResponse lastRecord_;
    LinkStatusNumbers statusNumbers_;
    int receivedFramesThreshold_ = defaultReceivedFramesThreshold;
    int paclen_;
    std::unique_ptr<Timer> tauko_;
    std::array<QString, statusPanelCount> statusPanels_;
    RawFileTransfers *rawFiles_ = nullptr;
    ResponseHook scriptStep_;
    ResponseHook remoteCommandCheck_;
};

} // namespace krx
