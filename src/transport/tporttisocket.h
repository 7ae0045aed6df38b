#pragma once

#include "core/Language.h"
#include "transport/Transport.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <memory>

namespace krx {

class Clock;
class Prompter;
class Timer;

// The host-mode byte stream over TCP to a TNC emulator (the "VIOLA" of its messages). The
// connection is made in the background; received bytes are gathered and handed on at the poll
// tick, twice per `valiaika` ms, never as they arrive, so a fast emulator cannot make the
// program spin.
class tporttisocket final : public Transport {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 7001;

    tporttisocket(Clock &clock, Prompter &prompter, QObject *parent = nullptr);
    ~tporttisocket() override;

    // The emulator's address and port; taken at the next activation.
    QHostAddress serverAddress() const { return m_address; }
    void setServerAddress(const QHostAddress &address) { m_address = address; }
    quint16 serverPort() const { return m_port; }
    void setServerPort(quint16 port) { m_port = port; }
    // The language of the messages.
    Language language() const { return m_language; }
    void setLanguage(Language language) { m_language = language; }

    // Activation starts connecting and polling (`valiaika` is taken now); the transport
    // becomes active when the connection is made. A failed or lost connection deactivates
    // it with a message; deactivating closes the connection without one.
    void SetActive(bool active) override;
    bool isActive() const override { return m_state == State::Connected; }
    // Sent at once while connected; held while connecting and sent once connected;
    // dropped while inactive.
    void SendFrame(const QByteArray &frame) override;
    // Everything delivered since the last call.
    QByteArray TakeResponse() override;

private:
    // Closed connections are reported only while not Inactive, so closing it ourselves
    // shows nothing.
    enum class State { Inactive, Connecting, Connected };

    void deactivate();
    bool takeArrived();
    void poll();
    void onConnected();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError error);
    void fail(const BiText &text);

    Prompter &m_prompter;
    QTcpSocket m_socket{this};
    std::unique_ptr<Timer> m_poll;

    QHostAddress m_address{QHostAddress::LocalHost};
    quint16 m_port = DefaultPort;
    Language m_language = Language::Finnish;

    State m_state = State::Inactive;
    QByteArray m_held;     // frames given while connecting
    QByteArray m_received; // delivered and not yet taken
};

} // namespace krx
