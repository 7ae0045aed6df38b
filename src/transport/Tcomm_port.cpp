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
    : Transport(parent), m_prompter(prompter), m_tick(clock.createTimer()) {
    RX_puskurin_koko = 4096;
    TX_puskurin_koko = 2048;
    RX_notify = 260;
    TX_notify = 260;
    valiaika = 18;
    m_tick->onTimeout([this] { serviceTick(); });
    // Queued: closing the port inside its own error report would pull its buffers away
    // from under the read that is reporting.
    connect(&m_port, &QSerialPort::errorOccurred, this, &Tcomm_port::onPortError,
            Qt::QueuedConnection);
}

Tcomm_port::~Tcomm_port() {
    disconnect(&m_port, nullptr, this, nullptr);
    m_tick->stop();
    m_port.close();
}

QString Tcomm_port::deviceName() const {
    return m_device.isEmpty() ? QStringLiteral("/dev/ttyS") + QString::number(m_portNumber)
                              : m_device;
}

void Tcomm_port::SetActive(bool active) {
    if (active)
        open();
    else
        close();
}

void Tcomm_port::open() {
    if (m_port.isOpen())
        return;
    m_port.setPortName(deviceName());
    m_port.setBaudRate(m_baudrate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(toQt(m_flowControl));
    m_port.setReadBufferSize(std::max(RX_puskurin_koko, 0));
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString reason = m_port.errorString();
        m_port.clearError();
        m_prompter.show(withReason(portDoesNotOpen(deviceName()), reason));
        return;
    }
    if (!applyLineModes()) {
        m_port.close();
        return;
    }
    m_tick->start(tickInterval());
}

void Tcomm_port::close() {
    m_tick->stop();
    m_port.close();
    m_frame.clear();
    m_framePending = false;
}

void Tcomm_port::setBaudrate(qint32 baud) {
    if (m_port.isOpen() && !settingApplied(m_port.setBaudRate(baud)))
        return;
    m_baudrate = baud;
}

void Tcomm_port::setKattely(FlowControl flowControl) {
    if (m_port.isOpen() && !settingApplied(m_port.setFlowControl(toQt(flowControl))))
        return;
    m_flowControl = flowControl;
}

void Tcomm_port::setDTRmode(LineMode mode) {
    if (m_port.isOpen() && !lineModeApplied(m_port.setDataTerminalReady(mode == LineMode::Enable)))
        return;
    m_dtrMode = mode;
}

void Tcomm_port::setRTSmode(LineMode mode) {
    if (m_port.isOpen() && !lineModeApplied(m_port.setRequestToSend(mode == LineMode::Enable)))
        return;
    m_rtsMode = mode;
}

void Tcomm_port::setRX_puskurin_koko(int size) {
    RX_puskurin_koko = size;
    if (m_port.isOpen())
        tell(RxSizeWhileOpen, MessageIcon::Warning);
}

void Tcomm_port::setTX_puskurin_koko(int size) {
    TX_puskurin_koko = size;
    if (m_port.isOpen())
        tell(TxSizeWhileOpen, MessageIcon::Warning);
}

bool Tcomm_port::applyLineModes() {
    return lineModeApplied(m_port.setDataTerminalReady(m_dtrMode == LineMode::Enable)) &&
           lineModeApplied(m_port.setRequestToSend(m_rtsMode == LineMode::Enable));
}

// A pseudo-terminal has no modem lines; a line control it refuses is no fault.
bool Tcomm_port::lineModeApplied(bool ok) {
    if (!ok && m_port.error() == QSerialPort::UnsupportedOperationError) {
        m_port.clearError();
        return true;
    }
    return settingApplied(ok);
}

bool Tcomm_port::settingApplied(bool ok) {
    if (ok)
        return true;
    m_port.clearError();
    tell(SettingRefused, MessageIcon::Information);
    return false;
}

void Tcomm_port::tell(const char *text, MessageIcon icon) {
    m_prompter.message(QString(), QString::fromUtf8(text), icon, MessageButtons::Ok);
}

void Tcomm_port::SendFrame(const QByteArray &frame) {
    if (!m_port.isOpen())
        return;
    m_frame = frame;
    m_framePending = true;
}

QByteArray Tcomm_port::TakeResponse() {
    return std::exchange(m_received, {});
}

// A frame given before the tick (or by the owner while it handles this tick's bytes) goes
// out right after the read, so the TNC's answer to it is read by a later tick.
void Tcomm_port::serviceTick() {
    if (vuorotellen && m_framePending) {
        writeStep();
    } else {
        readStep();
        if (m_framePending && !vuorotellen)
            writeStep();
    }
    // A new interval takes effect while the port stays open, counted from this tick.
    if (m_tick->isActive() && m_tick->interval() != tickInterval())
        m_tick->start(tickInterval());
}

void Tcomm_port::readStep() {
    const QByteArray chunk = m_port.read(std::max(RX_notify, 1));
    if (chunk.isEmpty())
        return;
    m_received += chunk;
    emit tulleet_merkit();
}

void Tcomm_port::writeStep() {
    m_port.write(std::exchange(m_frame, {}));
    m_framePending = false;
}

int Tcomm_port::tickInterval() const {
    return std::max(valiaika, 1);
}

void Tcomm_port::onPortError(QSerialPort::SerialPortError error) {
    // A report queued before a close (or before a fresh open) is no longer about this port.
    if (!m_port.isOpen() || !isLinkLost(error) || m_port.error() != error)
        return;
    const QString reason = m_port.errorString();
    close();
    m_prompter.show(withReason(portStoppedWorking(deviceName()), reason));
}

} // namespace krx
