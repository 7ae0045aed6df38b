#include "terminal/QsoChannel.h"

#include "core/CodePage.h"
#include "core/Kernel.h"
#include "core/SendOperations.h"
#include "terminal/TerminalTexts.h"

#include <algorithm>

namespace krx {

namespace {

constexpr int linkStatusCode = 3;
constexpr int ownTextCode = 8;
constexpr int noticeCode = 9;
constexpr char backspace = 8;
constexpr char lineFeed = '\n';
constexpr char carriageReturn = '\r';

// The data phases of the binary transfers, whose bytes are not for the pane.
constexpr int binaryPhases[] = {12, 22, 31, 39};

// A typed line cut into pieces of at most `paclen` characters; an empty line is one piece.
QByteArrayList piecesOf(const QByteArray &line, int paclen) {
    QByteArrayList pieces;
    qsizetype position = 0;
    do {
        pieces << line.mid(position, paclen);
        position += paclen;
    } while (position < line.size());
    return pieces;
}

} // namespace

QsoChannel::QsoChannel(int channel, Kernel &kernel, SendOperations &send, ChannelStates &channels,
                       QObject *parent)
    : QObject(parent), channel_(channel), kernel_(kernel), send_(send), channels_(channels),
      rx_(kernel.settings().scrollBack), meter_(kernel.services().clock, kernel.language()),
      sounds_(kernel.services().sound, kernel.directory()), dxAlert_(kernel, sounds_),
      // A PACLEN below 1 could never cut a line.
      paclen_(std::max(kernel.settings().paclen, 1)), tauko_(kernel.services().clock.createTimer()),
      statusPanels_{QString(), QString(), QString::fromLatin1(terminaltexts::scrollLockAtStart)} {
    tauko_->onTimeout([this] { send_.SendText(channel_, QByteArray(1, carriageReturn)); });
}

QsoChannel::~QsoChannel() = default;

bool QsoChannel::inBinaryPhase() const {
    return std::ranges::find(binaryPhases, state_.Procedure) != std::end(binaryPhases);
}

void QsoChannel::ShowText(const QByteArray &text, int code) {
    if (text.isEmpty() || code == 0)
        return;
    if (code == ownTextCode && state_.Procedure != 0)
        return;
    QByteArray shown = code < ownTextCode ? kernel_.oem().receivedToAnsi(text) : text;
    if (code == linkStatusCode)
        emit captionChanged(ansiToString(shown.chopped(1)));
    if (code < noticeCode && inBinaryPhase())
        return;
    shown = normaliseLineEnds(shown);
    rx_.append(shown, code);
    dxAlert_.CheckDxAlert(shown, state_.dx_mode);
}

void QsoChannel::ProcessResponse(const HostResponse &response) {
    lastRecord_ = response;
    if (rawFiles_ && rawFiles_->isReceiving() && response.length > 0)
        rawFiles_->receive(response.text.left(response.length));
    if (response.code == linkStatusCode)
        HandleLinkStatus(response.text);
    if (state_.scriptActive && scriptStep_)
        scriptStep_(response);
    procedures_.dispatch(response, channelState(), state_.Procedure);
    if (state_.Procedure == 0 && remoteCommandCheck_)
        remoteCommandCheck_(response);
}

void QsoChannel::HandleLinkStatus(const QByteArray &text) {
    channelState().automation_claimed = false;
    const qsizetype space = text.indexOf(' ');
    if (space < 0)
        return;
    const QByteArray event = text.mid(space + 1);
    // Every word that matches applies, in this order.
    static constexpr std::pair<const char *, void (QsoChannel::*)()> events[] = {
        {"BUSY", &QsoChannel::onBusy},
        {"CONNECTED", &QsoChannel::onConnected},
        {"LINK RESET", &QsoChannel::onLinkReset},
        {"DISCONNECTED", &QsoChannel::onDisconnected},
        {"LINK FAILURE", &QsoChannel::onLinkFailure},
        {"CONNECT REQUEST", &QsoChannel::onConnectRequest},
        {"FRAME REJECT", &QsoChannel::onFrameReject},
    };
    for (const auto &[word, handler] : events)
        if (event.startsWith(word))
            (this->*handler)();
}

void QsoChannel::onBusy() {
    channelState().linkState = LinkState::Busy;
    if (state_.scriptActive)
        send_.SendCommand(channel_, "d");
}

void QsoChannel::onConnected() {
    ChannelState &link = channelState();
    setConnected(true);
    if (!link.connect_initiated_here) {
        // The other station connected to us.
        sounds_.playFirstOf(QStringLiteral("con_aani.wav"), QStringLiteral("connect.wav"));
        send_.SendText(channel_, kernel_.settings().greeting + carriageReturn);
    }
    link.connect_initiated_here = false;
    emit connectionButtonsDown(true);
}

void QsoChannel::onLinkReset() {
    channelState().linkState = LinkState::Connected;
}

void QsoChannel::onDisconnected() {
    endLink(true);
}

// A failed link may come back; the DX cluster connection keeps its mode meanwhile.
void QsoChannel::onLinkFailure() {
    endLink(false);
}

void QsoChannel::onConnectRequest() {
    channelState().linkState = LinkState::ConnectRequest;
}

void QsoChannel::onFrameReject() {
    channelState().linkState = LinkState::FrameReject;
}

void QsoChannel::endLink(bool endsDxMode) {
    setConnected(false);
    channelState().connect_initiated_here = false;
    if (endsDxMode) {
        state_.dx_mode = false;
        kernel_.dxQuietTimer().stop();
    }
    emit connectionButtonsDown(false);
    if (rawFiles_)
        rawFiles_->endTransfers();
}

void QsoChannel::setConnected(bool connected) {
    channelState().linkState = connected ? LinkState::Connected : LinkState::Disconnected;
    channels_.setConnected(channel_, connected);
}

int QsoChannel::ShowLinkStatus(const QByteArray &text) {
    setStatusPanel(0, QString::fromLatin1(terminaltexts::statusPrefix) + ansiToString(text));
    statusNumbers_ = LinkStatusNumbers::parse(text);
    const QString stateName = linkStateName(statusNumbers_.linkState);
    if (!stateName.isEmpty()) {
        setStatusPanel(1, stateName);
        // The TNC has a link that this window does not know of: ask who is there.
        if (linkState() == LinkState::Disconnected && !state_.scriptActive &&
            statusNumbers_.linkState >= 2)
            send_.SendCommand(channel_, "c", ReplyKind::ConnectionStatus);
    }
    const int waiting = statusNumbers_.receivedFrames;
    return waiting > receivedFramesThreshold_ ? waiting : 0;
}

void QsoChannel::ShowConnectStatus(const QByteArray &text) {
    const qsizetype cr = text.indexOf(carriageReturn);
    const QByteArray answer = cr < 0 ? QByteArray() : text.left(cr);
    if (answer.isEmpty())
        return; // a broken answer tells nothing about the link
    if (answer == "CHANNEL NOT CONNECTED") {
        setConnected(false);
        return;
    }
    emit captionChanged(terminaltexts::connectedEarlier.in(kernel_.language())
                            .arg(channel_)
                            .arg(ansiToString(answer)));
    emit connectionButtonsDown(true);
    setConnected(true);
    state_.scriptLines.clear();
    state_.scriptActive = false;
}

bool QsoChannel::typeEnter(const QByteArray &line) {
    if (linkState() == LinkState::Disconnected)
        return false;
    for (const QByteArray &piece : piecesOf(line, paclen_))
        send_.SendText(channel_, piece + carriageReturn);
    return true;
}

bool QsoChannel::typeCommand(const QByteArray &line) {
    if (line.isEmpty())
        return false;
    send_.SendCommand(channel_, line, ReplyKind::Command);
    return true;
}

bool QsoChannel::typeControl(char character) {
    if (character < 1 || character > 27 || character == backspace || character == lineFeed ||
        character == carriageReturn)
        return false;
    send_.SendText(channel_, QByteArray(1, character));
    return true;
}

void QsoChannel::setScrollLock(bool on) {
    rx_.setScrollLock(on);
    setStatusPanel(
        2, QString::fromLatin1(on ? terminaltexts::scrollLockOn : terminaltexts::scrollLockOff));
    emit scrollLockChanged(on);
}

void QsoChannel::setStatusPanel(int panel, const QString &text) {
    statusPanels_.at(panel) = text;
    emit statusPanelChanged(panel, text);
}

} // namespace krx
