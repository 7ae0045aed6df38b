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
    : Transport(parent), m_prompter(prompter), m_poll(clock.createTimer()) {
    m_poll->onTimeout([this] { poll(); });
    // Queued, so that closing the socket (and a modal message) never happen inside the
    // socket's own notification. Each handler checks that its news still applies.
    connect(&m_socket, &QTcpSocket::connected, this, &tporttisocket::onConnected,
            Qt::QueuedConnection);
    connect(&m_socket, &QTcpSocket::disconnected, this, &tporttisocket::onDisconnected,
            Qt::QueuedConnection);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &tporttisocket::onError,
            Qt::QueuedConnection);
}

tporttisocket::~tporttisocket() {
    disconnect(&m_socket, nullptr, this, nullptr);
    deactivate();
}

void tporttisocket::SetActive(bool active) {
    if (!active) {
        deactivate();
        return;
    }
    if (m_state != State::Inactive)
        return;
    m_state = State::Connecting;
    // Bytes of an earlier connection mean nothing to the new one.
    m_received.clear();
    m_socket.connectToHost(m_address, m_port);
    // Two polls per `valiaika`, as evenly spaced as the interval allows.
    m_poll->start(std::max(valiaika / 2, 1));
}

void tporttisocket::deactivate() {
    if (m_state == State::Inactive)
        return;
    m_state = State::Inactive;
    m_poll->stop();
    m_held.clear();
    m_socket.flush();
    m_socket.abort();
}

void tporttisocket::SendFrame(const QByteArray &frame) {
    switch (m_state) {
    case State::Inactive:
        return;
    case State::Connecting:
        m_held += frame;
        return;
    case State::Connected:
        // Qt reports a failed send through errorOccurred. A client that has just seen the
        // emulator close drops the frame; the close is reported when its news arrives.
        if (m_socket.state() == QAbstractSocket::ConnectedState) {
            m_socket.write(frame);
            m_socket.flush(); // at once, without another trip through the event loop
        }
        return;
    }
}

QByteArray tporttisocket::TakeResponse() {
    return std::exchange(m_received, {});
}

bool tporttisocket::takeArrived() {
    if (m_socket.bytesAvailable() <= 0)
        return false;
    m_received += m_socket.readAll();
    return true;
}

void tporttisocket::poll() {
    if (takeArrived())
        emit tulleet_merkit();
}

void tporttisocket::onConnected() {
    // A report of a connection closed meanwhile must not pass for the new one.
    if (m_state != State::Connecting || m_socket.state() != QAbstractSocket::ConnectedState)
        return;
    m_state = State::Connected;
    if (!m_held.isEmpty())
        m_socket.write(std::exchange(m_held, {}));
}

void tporttisocket::onDisconnected() {
    if (m_state != State::Connected)
        return;
    // What the emulator sent before it closed is still handed on, after the transport has
    // become inactive so that nothing is sent in reply.
    const bool arrived = takeArrived();
    deactivate();
    if (arrived)
        emit tulleet_merkit();
    m_prompter.show(ClosedByEmulator.in(m_language));
}

void tporttisocket::onError(QAbstractSocket::SocketError error) {
    switch (m_state) {
    case State::Inactive:
        return;
    case State::Connecting:
        if (m_socket.state() == QAbstractSocket::UnconnectedState)
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
    m_prompter.show(text.in(m_language));
}

} // namespace krx
