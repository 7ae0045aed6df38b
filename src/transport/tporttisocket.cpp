#include "transport/tporttisocket.h"

#include "core/Clock.h"
#include "core/Prompter.h"

#include <algorithm>
#include <utility>

namespace krx {

namespace {

constexpr BiText ConnectionFailed{
    "Yhteyttä VIOLA:lle ei saa muodostettua\r\nWinSock Interface pitää olla valittuna AGW:n "
    "popupmenusta",
    "Winsocket to VIOLA could not be opened\r\nWinSock Interface should be selected from AGW "
    "popupmenu"};
constexpr BiText ClosedByEmulator{"Yhteys VIOLA:lle on katkennut",
                                  "Winsocket to VIOLA has been closed "};
constexpr BiText ConnectionBroke{"Yhteys VIOLA:lle katkennut jostain syystä",
                                 "Winsocket to VIOLA disconnected for some reason"};

} // namespace

tporttisocket::tporttisocket(Clock &clock, Prompter &prompter, QObject *parent)
    : Transport(parent), prompter_(prompter), poll_(clock.createTimer()) {
    poll_->onTimeout([this] { poll(); });
    // Queued, so that closing the socket (and a modal message) never happen inside the
    // socket's own notification. Each handler checks that its news still applies.
    connect(&socket_, &QTcpSocket::connected, this, &tporttisocket::onConnected,
            Qt::QueuedConnection);
    connect(&socket_, &QTcpSocket::disconnected, this, &tporttisocket::onDisconnected,
            Qt::QueuedConnection);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &tporttisocket::onError,
            Qt::QueuedConnection);
}

tporttisocket::~tporttisocket() {
    disconnect(&socket_, nullptr, this, nullptr);
    deactivate();
}

void tporttisocket::SetActive(bool active) {
    if (!active) {
        deactivate();
        return;
    }
    if (state_ != State::Inactive)
        return;
    state_ = State::Connecting;
    // Bytes of an earlier connection mean nothing to the new one.
    received_.clear();
    socket_.connectToHost(address_, port_);
    // Two polls per `valiaika`, as evenly spaced as the interval allows.
    poll_->start(std::max(valiaika / 2, 1));
}

void tporttisocket::deactivate() {
    if (state_ == State::Inactive)
        return;
    state_ = State::Inactive;
    poll_->stop();
    held_.clear();
    socket_.flush();
    socket_.abort();
}

void tporttisocket::SendFrame(const QByteArray &frame) {
    switch (state_) {
    case State::Inactive:
        return;
    case State::Connecting:
        held_ += frame;
        return;
    case State::Connected:
        // Qt reports a failed send through errorOccurred. A client that has just seen the
        // emulator close drops the frame; the close is reported when its news arrives.
        if (socket_.state() == QAbstractSocket::ConnectedState) {
            socket_.write(frame);
            socket_.flush(); // at once, without another trip through the event loop
        }
        return;
    }
}

QByteArray tporttisocket::TakeResponse() {
    return std::exchange(received_, {});
}

bool tporttisocket::takeArrived() {
    if (socket_.bytesAvailable() <= 0)
        return false;
    received_ += socket_.readAll();
    return true;
}

void tporttisocket::poll() {
    if (takeArrived())
        emit tulleet_merkit();
}

void tporttisocket::onConnected() {
    // A report of a connection closed meanwhile must not pass for the new one.
    if (state_ != State::Connecting || socket_.state() != QAbstractSocket::ConnectedState)
        return;
    state_ = State::Connected;
    if (!held_.isEmpty())
        socket_.write(std::exchange(held_, {}));
}

void tporttisocket::onDisconnected() {
    if (state_ != State::Connected)
        return;
    // What the emulator sent before it closed is still handed on, after the transport has
    // become inactive so that nothing is sent in reply.
    const bool arrived = takeArrived();
    deactivate();
    if (arrived)
        emit tulleet_merkit();
    prompter_.show(ClosedByEmulator.in(language_));
}

void tporttisocket::onError(QAbstractSocket::SocketError error) {
    switch (state_) {
    case State::Inactive:
        return;
    case State::Connecting:
        if (socket_.state() == QAbstractSocket::UnconnectedState)
            fail(ConnectionFailed);
        return;
    case State::Connected:
        // A close by the emulator is reported by onDisconnected.
        if (error != QAbstractSocket::RemoteHostClosedError)
            fail(ConnectionBroke);
        return;
    }
}

void tporttisocket::fail(const BiText &text) {
    deactivate();
    prompter_.show(text.in(language_));
}

} // namespace krx
