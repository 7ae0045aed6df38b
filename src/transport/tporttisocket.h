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
    QHostAddress serverAddress() const { return address_; }
    void setServerAddress(const QHostAddress &address) { address_ = address; }
    quint16 serverPort() const { return port_; }
    void setServerPort(quint16 port) { port_ = port; }
    // The language of the messages.
    Language language() const { return language_; }
    void setLanguage(Language language) { language_ = language; }

    // Activation starts connecting and polling (`valiaika` is taken now); the transport
    // becomes active when the connection is made. A failed or lost connection deactivates
    // it with a message; deactivating closes the connection without one.
    void SetActive(bool active) override;
    bool isActive() const override { return state_ == State::Connected; }
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

    Prompter &prompter_;
    QTcpSocket socket_{this};
    std::unique_ptr<Timer> poll_;

    QHostAddress address_{QHostAddress::LocalHost};
    quint16 port_ = DefaultPort;
    Language language_ = Language::Finnish;

    State state_ = State::Inactive;
    QByteArray held_;     // frames given while connecting
    QByteArray received_; // delivered and not yet taken
};

} // namespace krx
