#pragma once

#include <QByteArray>
#include <QObject>

namespace krx {

// A carrier of the WA8DED host-mode byte stream. Every transport presents itself to the
// rest of the program as a host-mode TNC: frames go out through SendFrame, and received
// bytes are announced by tulleet_merkit on the transport's poll tick and fetched with
// TakeResponse.
class Transport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Published properties; their meaning depends on the transport.
    int RX_puskurin_koko = 512;
    int TX_puskurin_koko = 512;
    int RX_notify = 1;
    int TX_notify = 1;
    int valiaika = 20; // poll interval in milliseconds

    // Opens (true) or closes (false) the transport.
    virtual void SetActive(bool active) = 0;
    virtual bool isActive() const = 0;
    // Hands one frame to the transport, which sends it when it can.
    virtual void SendFrame(const QByteArray &frame) = 0;
    // The bytes received since the last call; empty when there are none.
    virtual QByteArray TakeResponse() = 0;
    // The TNC has confirmed host mode (a serial line then stops its XON/XOFF flow control).
    virtual void hostModeConfirmed() {}

signals:
    // Bytes have arrived and can be taken with TakeResponse.
    void tulleet_merkit();
};

} // namespace krx
