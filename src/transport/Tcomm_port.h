#pragma once

#include "core/Prompter.h"
#include "transport/Transport.h"

#include <QSerialPort>
#include <QString>
#include <memory>

namespace krx {

class Clock;
class Timer;

// A WA8DED TNC on a serial line. The port is polled: every `valiaika` ms a tick reads at most
// `RX_notify` bytes and then writes the one frame waiting, if any. The line always runs 8 data
// bits, no parity, 1 stop bit. The published defaults are the values the main window uses.
class Tcomm_port final : public Transport {
    Q_OBJECT
public:
    enum class FlowControl { fcNone, fcXONXOFF };
    // DTR or RTS held low (Disable) or high (Enable) while the port is open.
    enum class LineMode { Disable, Enable };

    Tcomm_port(Clock &clock, Prompter &prompter, QObject *parent = nullptr);
    ~Tcomm_port() override;

    // Serial port number from 0: port N opens /dev/ttyS<N>. Used when no device is set.
    int Portin_nro() const { return portNumber_; }
    void setPortin_nro(int number) { portNumber_ = number; }
    // An explicit device path (a USB adapter, a pseudo-terminal); overrides Portin_nro.
    QString device() const { return device_; }
    void setDevice(const QString &path) { device_ = path; }
    // The device the port opens, as named in its messages. Both take effect at the next open.
    QString deviceName() const;

    // Line speed in baud. Applied at once while open; a refused value keeps the old one.
    qint32 Baudrate() const { return baudrate_; }
    void setBaudrate(qint32 baud);
    FlowControl Kattely() const { return flowControl_; }
    void setKattely(FlowControl flowControl);
    LineMode DTRmode() const { return dtrMode_; }
    void setDTRmode(LineMode mode);
    LineMode RTSmode() const { return rtsMode_; }
    void setRTSmode(LineMode mode);
    // The input buffer (RX) limits what is taken from the device before the ticks read it;
    // the output size is kept for the settings only. Both can change only while closed:
    // a change while open is kept for the next open and the user is warned.
    void setRX_puskurin_koko(int size);
    void setTX_puskurin_koko(int size);

    // Off: a tick reads, then writes the frame waiting. On: reads and writes take turns, a
    // tick that finds a frame waiting writes it and does not read.
    bool vuorotellen = false;

    void SetActive(bool active) override;
    bool isActive() const override { return port_.isOpen(); }
    // Keeps the frame for the next tick, replacing one still waiting; dropped while closed.
    void SendFrame(const QByteArray &frame) override;
    QByteArray TakeResponse() override;
    // Host mode is binary: software flow control ends once the TNC is in it.
    void hostModeConfirmed() override { setKattely(FlowControl::fcNone); }

private:
    void open();
    void close();
    bool applyLineModes();
    bool lineModeApplied(bool ok);
    bool settingApplied(bool ok);
    void tell(const char *text, MessageIcon icon);
    void serviceTick();
    void readStep();
    void writeStep();
    int tickInterval() const;
    void onPortError(QSerialPort::SerialPortError error);

    Prompter &prompter_;
    QSerialPort port_{this};
    std::unique_ptr<Timer> tick_;

    int portNumber_ = 1;
    QString device_;
    qint32 baudrate_ = QSerialPort::Baud19200;
    FlowControl flowControl_ = FlowControl::fcXONXOFF;
    LineMode dtrMode_ = LineMode::Enable;
    LineMode rtsMode_ = LineMode::Enable;

    QByteArray received_;
    QByteArray frame_;
    bool framePending_ = false;
};

} // namespace krx
