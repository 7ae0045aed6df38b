#include "FakeClock.h"
#include "FakeSeams.h"
#include "transport/Tcomm_port.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using krx::Tcomm_port;
using krx::test::FakeClock;
using krx::test::ScriptedPrompter;

namespace {

constexpr int Tick = 18;

// A pseudo-terminal pair: the transport opens the slave, the test plays the TNC on the master.
class PseudoTerminal {
public:
    PseudoTerminal() {
        termios raw{};
        ::cfmakeraw(&raw);
        char name[128] = {};
        if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0)
            return;
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        slavePath_ = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal() {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isOpen() const { return !slavePath_.isEmpty(); }
    QString slavePath() const { return slavePath_; }

    bool write(const QByteArray &bytes) {
        return ::write(master_, bytes.constData(), bytes.size()) == bytes.size();
    }
    // What the transport has written, gathered until `size` bytes or a bounded wait ends.
    QByteArray read(qsizetype size) {
        QByteArray gathered;
        const QDeadlineTimer deadline(5000);
        while (gathered.size() < size && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            char buffer[512];
            const ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count > 0)
                gathered.append(buffer, count);
        }
        return gathered;
    }
    termios slaveSettings() const {
        termios settings{};
        ::tcgetattr(slave_, &settings);
        return settings;
    }
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

// A port under test opened on a fresh pseudo-terminal.
struct OpenPort {
    OpenPort() : port(clock, prompter) {
        port.setDevice(pty.slavePath());
        port.SetActive(true);
        serial = port.findChild<QSerialPort *>();
    }
    // Waits until the TNC's bytes have reached the port, so that the next tick can read them.
    bool tncSends(const QByteArray &bytes) {
        const qint64 before = serial->bytesAvailable();
        if (!pty.write(bytes))
            return false;
        const QDeadlineTimer deadline(5000);
        while (serial->bytesAvailable() < before + bytes.size() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return serial->bytesAvailable() == before + bytes.size();
    }

    FakeClock clock;
    ScriptedPrompter prompter;
    PseudoTerminal pty;
    Tcomm_port port;
    QSerialPort *serial = nullptr;
};

QStringList textsOf(const ScriptedPrompter &prompter) {
    QStringList texts;
    for (const auto &shown : prompter.shown)
        texts << shown.text;
    return texts;
}

} // namespace

class TestCommPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(PseudoTerminal().isOpen(), "no pseudo-terminal available"); }

    void deviceName_data();
    void deviceName();
    void opensWithLineSettings_data();
    void opensWithLineSettings();
    void settingsApplyWhileOpen();
    void refusedSettingKeepsTheOldValue();
    void bufferSizeChangeWhileOpenWarns_data();
    void bufferSizeChangeWhileOpenWarns();
    void receivedBytesAreHandedOnAtTheTick();
    void rxNotifyCapsOneRead();
    void frameIsWrittenAtTheTick();
    void secondFrameBeforeTheTickReplacesTheFirst();
    void frameGivenWhileClosedIsDropped_data();
    void frameGivenWhileClosedIsDropped();
    void tickReadsBeforeItWrites();
    void frameGivenWhileHandlingBytesGoesOutInTheSameTick();
    void takingTurnsWritesWithoutReading();
    void newIntervalTakesEffectWhileOpen();
    void missingDeviceIsReportedWithReason();
    void portHeldByAnotherDoesNotOpen();
    void lostDeviceClosesThePort();
    void errorOfAnEarlierOpeningIsIgnored_data();
    void errorOfAnEarlierOpeningIsIgnored();
};

void TestCommPort::deviceName_data() {
    QTest::addColumn<int>("portNumber");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("expected");
    QTest::newRow("COM1") << 0 << QString() << "/dev/ttyS0";
    QTest::newRow("COM3") << 2 << QString() << "/dev/ttyS2";
    QTest::newRow("device overrides") << 2 << "/dev/ttyUSB0"
                                      << "/dev/ttyUSB0";
}

void TestCommPort::deviceName() {
    QFETCH(int, portNumber);
    QFETCH(QString, device);
    QFETCH(QString, expected);
    FakeClock clock;
    ScriptedPrompter prompter;
    Tcomm_port port(clock, prompter);
    port.setPortin_nro(portNumber);
    port.setDevice(device);
    QCOMPARE(port.deviceName(), expected);
}

void TestCommPort::opensWithLineSettings_data() {
    QTest::addColumn<int>("baud");
    QTest::addColumn<speed_t>("speed"); // 0: a rate termios has no constant for
    QTest::newRow("1200") << 1200 << speed_t(B1200);
    QTest::newRow("9600") << 9600 << speed_t(B9600);
    QTest::newRow("19200") << 19200 << speed_t(B19200);
    QTest::newRow("38400") << 38400 << speed_t(B38400);
    QTest::newRow("56000") << 56000 << speed_t(0);
    QTest::newRow("57600") << 57600 << speed_t(B57600);
    QTest::newRow("115200") << 115200 << speed_t(B115200);
}

void TestCommPort::opensWithLineSettings() {
    QFETCH(int, baud);
    QFETCH(speed_t, speed);
    FakeClock clock;
    ScriptedPrompter prompter;
    PseudoTerminal pty;
    Tcomm_port port(clock, prompter);
    port.setDevice(pty.slavePath());
    port.setBaudrate(baud);
    port.SetActive(true);

    // DTR and RTS are refused by a pseudo-terminal; that is no reason not to open.
    QVERIFY(port.isActive());
    QVERIFY(prompter.shown.empty());
    const termios settings = pty.slaveSettings();
    QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(settings.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
    QCOMPARE(settings.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    if (speed != 0)
        QCOMPARE(::cfgetospeed(&settings), speed);
    QCOMPARE(port.findChild<QSerialPort *>()->baudRate(), baud);
}

void TestCommPort::settingsApplyWhileOpen() {
    OpenPort open;
    QVERIFY(open.port.isActive());
    open.port.setBaudrate(9600);
    open.port.setKattely(Tcomm_port::FlowControl::fcNone);
    open.port.setDTRmode(Tcomm_port::LineMode::Disable);
    open.port.setRTSmode(Tcomm_port::LineMode::Disable);

    QCOMPARE(open.port.Baudrate(), 9600);
    QCOMPARE(open.port.Kattely(), Tcomm_port::FlowControl::fcNone);
    QCOMPARE(open.port.DTRmode(), Tcomm_port::LineMode::Disable);
    QCOMPARE(open.port.RTSmode(), Tcomm_port::LineMode::Disable);
    const termios settings = open.pty.slaveSettings();
    QCOMPARE(::cfgetospeed(&settings), speed_t(B9600));
    QCOMPARE(settings.c_iflag & (IXON | IXOFF), tcflag_t(0));
    QVERIFY(open.prompter.shown.empty());
}

void TestCommPort::refusedSettingKeepsTheOldValue() {
    OpenPort open;
    QVERIFY(open.port.isActive());
    open.port.setBaudrate(0);

    QCOMPARE(textsOf(open.prompter), QStringList{"parametrit harhaan"});
    QCOMPARE(open.prompter.shown.front().icon, krx::MessageIcon::Information);
    QCOMPARE(open.port.Baudrate(), 19200);
    QCOMPARE(open.serial->baudRate(), 19200);
    QVERIFY(open.port.isActive());
}

void TestCommPort::bufferSizeChangeWhileOpenWarns_data() {
    QTest::addColumn<bool>("receive");
    QTest::addColumn<QString>("warning");
    QTest::newRow("RX") << true
                        << "RX puskurin kokoa voi muuttaa vain kun portti ei ole aktiivinen";
    QTest::newRow("TX") << false
                        << "TX puskurin kokoa voi muuttaa vain kun portti ei ole aktiivinen";
}

void TestCommPort::bufferSizeChangeWhileOpenWarns() {
    QFETCH(bool, receive);
    QFETCH(QString, warning);
    OpenPort open;
    QVERIFY(open.port.isActive());
    const auto setSize = [&](int size) {
        receive ? open.port.setRX_puskurin_koko(size) : open.port.setTX_puskurin_koko(size);
    };
    const auto size = [&] {
        return receive ? open.port.RX_puskurin_koko : open.port.TX_puskurin_koko;
    };

    setSize(1000);
    QCOMPARE(textsOf(open.prompter), QStringList{warning});
    QCOMPARE(open.prompter.shown.front().icon, krx::MessageIcon::Warning);
    QCOMPARE(size(), 1000); // kept for the next open

    open.port.SetActive(false);
    setSize(1500);
    QCOMPARE(open.prompter.shown.size(), size_t(1));
    QCOMPARE(size(), 1500);
    open.port.SetActive(true);
    QCOMPARE(open.serial->readBufferSize(), receive ? 1500 : 4096);
}

void TestCommPort::receivedBytesAreHandedOnAtTheTick() {
    OpenPort open;
    QSignalSpy arrived(&open.port, &Tcomm_port::tulleet_merkit);
    const QByteArray answer = QByteArray("\x01\x01QQ1ZZZ") + '\0'; // a code 1 text on channel 1
    QVERIFY(open.tncSends(answer));

    open.clock.advance(Tick - 1);
    QCOMPARE(arrived.count(), 0);
    open.clock.advance(1);
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(open.port.TakeResponse(), answer);
    QCOMPARE(open.port.TakeResponse(), QByteArray());

    open.clock.advance(Tick);
    QCOMPARE(arrived.count(), 1); // nothing new, no event
}

void TestCommPort::rxNotifyCapsOneRead() {
    OpenPort open;
    open.port.RX_notify = 4;
    QSignalSpy arrived(&open.port, &Tcomm_port::tulleet_merkit);
    QVERIFY(open.tncSends("0123456789"));

    QByteArrayList reads;
    for (int tick = 0; tick < 4; ++tick) {
        open.clock.advance(Tick);
        reads << open.port.TakeResponse();
    }
    QCOMPARE(reads, (QByteArrayList{"0123", "4567", "89", ""}));
    QCOMPARE(arrived.count(), 3);
}

void TestCommPort::frameIsWrittenAtTheTick() {
    OpenPort open;
    const QByteArray poll("\x00\x01\x00G", 4);
    open.port.SendFrame(poll);
    QCOMPARE(open.serial->bytesToWrite(), 0);

    open.clock.advance(Tick);
    QCOMPARE(open.pty.read(4), poll);
}

void TestCommPort::secondFrameBeforeTheTickReplacesTheFirst() {
    OpenPort open;
    open.port.SendFrame("first");
    open.port.SendFrame("second");
    open.clock.advance(Tick);
    QCOMPARE(open.pty.read(6), QByteArray("second"));
}

void TestCommPort::frameGivenWhileClosedIsDropped_data() {
    QTest::addColumn<bool>("reopened");
    QTest::newRow("before the first open") << false;
    QTest::newRow("waiting when the port closed") << true;
}

void TestCommPort::frameGivenWhileClosedIsDropped() {
    QFETCH(bool, reopened);
    FakeClock clock;
    ScriptedPrompter prompter;
    PseudoTerminal pty;
    Tcomm_port port(clock, prompter);
    port.setDevice(pty.slavePath());
    if (reopened) {
        port.SetActive(true);
        port.SendFrame("stale");
        port.SetActive(false);
    } else {
        port.SendFrame("stale");
    }
    port.SetActive(true);
    clock.advance(Tick);
    QCOMPARE(port.findChild<QSerialPort *>()->bytesToWrite(), 0);

    port.SendFrame("fresh");
    clock.advance(Tick);
    QCOMPARE(pty.read(5), QByteArray("fresh"));
}

void TestCommPort::tickReadsBeforeItWrites() {
    OpenPort open;
    QVERIFY(open.tncSends("answer"));
    open.port.SendFrame("poll");
    qint64 unwrittenWhileReading = -1;
    connect(&open.port, &Tcomm_port::tulleet_merkit,
            [&] { unwrittenWhileReading = open.serial->bytesToWrite(); });

    open.clock.advance(Tick);
    QCOMPARE(unwrittenWhileReading, 0);
    QCOMPARE(open.port.TakeResponse(), QByteArray("answer"));
    QCOMPARE(open.pty.read(4), QByteArray("poll"));
}

void TestCommPort::frameGivenWhileHandlingBytesGoesOutInTheSameTick() {
    OpenPort open;
    connect(&open.port, &Tcomm_port::tulleet_merkit, [&] {
        open.port.TakeResponse();
        open.port.SendFrame("next");
    });
    QVERIFY(open.tncSends("answer"));

    open.clock.advance(Tick);
    QCOMPARE(open.serial->bytesToWrite(), 4);
    QCOMPARE(open.pty.read(4), QByteArray("next"));
}

void TestCommPort::takingTurnsWritesWithoutReading() {
    OpenPort open;
    open.port.vuorotellen = true;
    QSignalSpy arrived(&open.port, &Tcomm_port::tulleet_merkit);
    QVERIFY(open.tncSends("answer"));
    open.port.SendFrame("poll");

    open.clock.advance(Tick);
    QCOMPARE(arrived.count(), 0);
    QCOMPARE(open.pty.read(4), QByteArray("poll"));
    open.clock.advance(Tick);
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(open.port.TakeResponse(), QByteArray("answer"));
}

void TestCommPort::newIntervalTakesEffectWhileOpen() {
    OpenPort open;
    QSignalSpy arrived(&open.port, &Tcomm_port::tulleet_merkit);
    open.port.valiaika = 50;
    open.clock.advance(Tick); // the tick due with the old interval
    QVERIFY(open.tncSends("late"));

    open.clock.advance(49);
    QCOMPARE(arrived.count(), 0);
    open.clock.advance(1);
    QCOMPARE(arrived.count(), 1);
}

void TestCommPort::missingDeviceIsReportedWithReason() {
    // Named per process: the port takes a lock file by the device's name before opening it.
    const QString missing =
        "/dev/krx-missing-" + QString::number(QCoreApplication::applicationPid());
    FakeClock clock;
    ScriptedPrompter prompter;
    Tcomm_port port(clock, prompter);
    port.setDevice(missing);
    port.SetActive(true);

    QVERIFY(!port.isActive());
    QCOMPARE(textsOf(prompter), QStringList{"Portti " + missing + " ei aukea oikein\n" +
                                            QString::fromLocal8Bit(std::strerror(ENOENT))});
    port.SendFrame("dropped");
    clock.advance(Tick); // no ticks while closed
    QCOMPARE(prompter.shown.size(), size_t(1));
}

void TestCommPort::portHeldByAnotherDoesNotOpen() {
    OpenPort holder;
    QVERIFY(holder.port.isActive());
    FakeClock clock;
    ScriptedPrompter prompter;
    Tcomm_port port(clock, prompter);
    port.setDevice(holder.pty.slavePath());
    port.SetActive(true);

    QVERIFY(!port.isActive());
    QCOMPARE(prompter.shown.size(), size_t(1));
    const QString opening = "Portti " + holder.pty.slavePath() + " ei aukea oikein\n";
    QVERIFY2(prompter.shown.front().text.startsWith(opening),
             qPrintable(prompter.shown.front().text));
    QVERIFY(prompter.shown.front().text.size() > opening.size()); // the system's reason
    QVERIFY(holder.port.isActive());
}

void TestCommPort::lostDeviceClosesThePort() {
    OpenPort open;
    open.port.SendFrame("poll");
    open.pty.closeMaster();

    QTRY_VERIFY(!open.port.isActive());
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCOMPARE(open.prompter.shown.size(), size_t(1));
    const QString stopped = "Portti " + open.pty.slavePath() + " lakkasi toimimasta\n";
    QVERIFY2(open.prompter.shown.front().text.startsWith(stopped),
             qPrintable(open.prompter.shown.front().text));
    open.clock.advance(10 * Tick); // no ticks on a closed port
    QVERIFY(!open.port.isActive());
}

void TestCommPort::errorOfAnEarlierOpeningIsIgnored_data() {
    QTest::addColumn<bool>("reopened");
    QTest::newRow("closed") << false;
    QTest::newRow("reopened on another device") << true;
}

void TestCommPort::errorOfAnEarlierOpeningIsIgnored() {
    QFETCH(bool, reopened);
    OpenPort open;
    open.pty.closeMaster();
    // The port meets the error, but its report is still queued when the port is closed.
    open.serial->waitForReadyRead(1000);
    PseudoTerminal replacement;
    open.port.SetActive(false);
    if (reopened) {
        open.port.setDevice(replacement.slavePath());
        open.port.SetActive(true);
    }

    QCoreApplication::sendPostedEvents(&open.port);
    QCOMPARE(open.port.isActive(), reopened);
    QVERIFY(open.prompter.shown.empty());
}

QTEST_GUILESS_MAIN(TestCommPort)
#include "test_comm_port.moc"
