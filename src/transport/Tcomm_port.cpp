#include "transport/Tcomm_port.h"

#include "core/Clock.h"

#include <algorithm>
#include <utility>

namespace krx {

namespace {

// The serial port's own texts exist in Finnish only.
QString portDoesNotOpen(const QString &device) {
    return QStringLiteral("Portti ") + device + QStringLiteral(" ei aukea oikein");
}
QString portStoppedWorking(const QString &device) {
    return QStringLiteral("Portti ") + device + QStringLiteral(" lakkasi toimimasta");
}
QString withReason(const QString &text, const QString &reason) {
    return text + QLatin1Char('\n') + reason;
}
const char *const SettingRefused = "parametrit harhaan";
const char *const RxSizeWhileOpen =
    "RX puskurin kokoa voi muuttaa vain kun portti ei ole aktiivinen";
const char *const TxSizeWhileOpen =
    "TX puskurin kokoa voi muuttaa vain kun portti ei ole aktiivinen";

QSerialPort::FlowControl toQt(Tcomm_port::FlowControl flowControl) {
    return flowControl == Tcomm_port::FlowControl::fcXONXOFF ? QSerialPort::SoftwareControl
                                                             : QSerialPort::NoFlowControl;
}

// Errors after which the device gives no more data: unplugged, or the far end of a
// pseudo-terminal closed. Qt keeps reporting them on every turn of the event loop.
bool isLinkLost(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

} // namespace

Tcomm_port::Tcomm_port(Clock &clock, Prompter &prompter, QObject *parent)
    : Transport(parent), prompter_(prompter), tick_(clock.createTimer()) {
    RX_puskurin_koko = 4096;
    TX_puskurin_koko = 2048;
    RX_notify = 260;
    TX_notify = 260;
    valiaika = 18;
    tick_->onTimeout([this] { serviceTick(); });
    // Queued: closing the port inside its own error report would pull its buffers away
    // from under the read that is reporting.
    connect(&port_, &QSerialPort::errorOccurred, this, &Tcomm_port::onPortError,
            Qt::QueuedConnection);
}

Tcomm_port::~Tcomm_port() {
    disconnect(&port_, nullptr, this, nullptr);
    tick_->stop();
    port_.close();
}

QString Tcomm_port::deviceName() const {
    return device_.isEmpty() ? QStringLiteral("/dev/ttyS") + QString::number(portNumber_) : device_;
}

void Tcomm_port::SetActive(bool active) {
    if (active)
        open();
    else
        close();
}

void Tcomm_port::open() {
    if (port_.isOpen())
        return;
    port_.setPortName(deviceName());
    port_.setBaudRate(baudrate_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(toQt(flowControl_));
    port_.setReadBufferSize(std::max(RX_puskurin_koko, 0));
    if (!port_.open(QIODevice::ReadWrite)) {
        const QString reason = port_.errorString();
        port_.clearError();
        prompter_.show(withReason(portDoesNotOpen(deviceName()), reason));
        return;
    }
    if (!applyLineModes()) {
        port_.close();
        return;
    }
    tick_->start(tickInterval());
}

void Tcomm_port::close() {
    tick_->stop();
    port_.close();
    frame_.clear();
    framePending_ = false;
}

void Tcomm_port::setBaudrate(qint32 baud) {
    if (port_.isOpen() && !settingApplied(port_.setBaudRate(baud)))
        return;
    baudrate_ = baud;
}

void Tcomm_port::setKattely(FlowControl flowControl) {
    if (port_.isOpen() && !settingApplied(port_.setFlowControl(toQt(flowControl))))
        return;
    flowControl_ = flowControl;
}

void Tcomm_port::setDTRmode(LineMode mode) {
    if (port_.isOpen() && !lineModeApplied(port_.setDataTerminalReady(mode == LineMode::Enable)))
        return;
    dtrMode_ = mode;
}

void Tcomm_port::setRTSmode(LineMode mode) {
    if (port_.isOpen() && !lineModeApplied(port_.setRequestToSend(mode == LineMode::Enable)))
        return;
    rtsMode_ = mode;
}

void Tcomm_port::setRX_puskurin_koko(int size) {
    RX_puskurin_koko = size;
    if (port_.isOpen())
        tell(RxSizeWhileOpen, MessageIcon::Warning);
}

void Tcomm_port::setTX_puskurin_koko(int size) {
    TX_puskurin_koko = size;
    if (port_.isOpen())
        tell(TxSizeWhileOpen, MessageIcon::Warning);
}

bool Tcomm_port::applyLineModes() {
    return lineModeApplied(port_.setDataTerminalReady(dtrMode_ == LineMode::Enable)) &&
           lineModeApplied(port_.setRequestToSend(rtsMode_ == LineMode::Enable));
}

// A pseudo-terminal has no modem lines; a line control it refuses is no fault.
bool Tcomm_port::lineModeApplied(bool ok) {
    if (!ok && port_.error() == QSerialPort::UnsupportedOperationError) {
        port_.clearError();
        return true;
    }
    return settingApplied(ok);
}

bool Tcomm_port::settingApplied(bool ok) {
    if (ok)
        return true;
    port_.clearError();
    tell(SettingRefused, MessageIcon::Information);
    return false;
}

void Tcomm_port::tell(const char *text, MessageIcon icon) {
    prompter_.message(QString(), QString::fromUtf8(text), icon, MessageButtons::Ok);
}

void Tcomm_port::SendFrame(const QByteArray &frame) {
    if (!port_.isOpen())
        return;
    frame_ = frame;
    framePending_ = true;
}

QByteArray Tcomm_port::TakeResponse() {
    return std::exchange(received_, {});
}

// A frame given before the tick (or by the owner while it handles this tick's bytes) goes
// out right after the read, so the TNC's answer to it is read by a later tick.
void Tcomm_port::serviceTick() {
    if (vuorotellen && framePending_) {
        writeStep();
    } else {
        readStep();
        if (framePending_ && !vuorotellen)
            writeStep();
    }
    // A new interval takes effect while the port stays open, counted from this tick.
    if (tick_->isActive() && tick_->interval() != tickInterval())
        tick_->start(tickInterval());
}

void Tcomm_port::readStep() {
    const QByteArray chunk = port_.read(std::max(RX_notify, 1));
    if (chunk.isEmpty())
        return;
    received_ += chunk;
    emit tulleet_merkit();
}

void Tcomm_port::writeStep() {
    port_.write(std::exchange(frame_, {}));
    framePending_ = false;
}

int Tcomm_port::tickInterval() const {
    return std::max(valiaika, 1);
}

void Tcomm_port::onPortError(QSerialPort::SerialPortError error) {
    // A report queued before a close (or before a fresh open) is no longer about this port.
    if (!port_.isOpen() || !isLinkLost(error) || port_.error() != error)
        return;
    const QString reason = port_.errorString();
    close();
    prompter_.show(withReason(portStoppedWorking(deviceName()), reason));
}

} // namespace krx
