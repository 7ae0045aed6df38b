#include "FakeClock.h"
#include "FakeSeams.h"
#include "FakeTransport.h"
#include "RecordingEndpoints.h"
#include "TempProgramDir.h"
#include "core/HostModeControl.h"
#include "core/Kernel.h"

#include <QtTest>

using namespace krx;
using test::FakeTransport;
using test::RecordingChannel;
using test::RecordingMonitor;

namespace {

QByteArray command(int channel, const QByteArray &text) {
    return QByteArray(1, char(channel)) + '\x01' + char(text.size() - 1) + text;
}
QByteArray poll(int channel, char letter) {
    return command(channel, QByteArray(1, letter));
}
QByteArray info(int channel, const QByteArray &data) {
    return QByteArray(1, char(channel)) + '\x00' + char(data.size() - 1) + data;
}
QByteArray textAnswer(int channel, int code, const QByteArray &text) {
    return QByteArray(1, char(channel)) + char(code) + text + '\0';
}
QByteArray ok(int channel) {
    return QByteArray(1, char(channel)) + '\0';
}

// A kernel on a settings file, with the test as its TNC.
class Fixture {
public:
    explicit Fixture(const QByteArray &extraSettings = {}, int transportCode = 6) {
        home.write("KRX.INI",
                   "[portti asetus]\r\nEMU=" + QByteArray::number(transportCode) +
                       "\r\n[krx asetus]\r\noma kutsu=QQ1ZZZ-14\r\nkanavien maara=4\r\n"
                       "poissa aika=0\r\nlista aika=0\r\nmessu aika=10\r\n"
                       "[laatikko]\r\noma BBS=QQ2BBS\r\n[TNC INIT]\r\nx0=MUISC\r\nx1=T 5\r\n" +
                       extraSettings);
        kernel = std::make_unique<Kernel>(ProgramDirectory(home.path()), QStringLiteral("krx"),
                                          Services{clock, prompter, sound, shell});
        kernel->setTransportFactory([this](const Settings &) {
            auto made = std::make_unique<FakeTransport>();
            tnc = made.get();
            return made;
        });
        kernel->start();
        hostMode().setMonitorEndpoint(&monitor);
        for (int channel = 1; channel <= 4; ++channel)
            hostMode().setChannelEndpoint(channel, &channels[channel]);
        kernel->startHostMode();
    }

    HostModeControl &hostMode() { return kernel->hostMode(); }
    QByteArray lastSent() const { return tnc->sent.isEmpty() ? QByteArray() : tnc->sent.last(); }
    qsizetype sentCount() const { return tnc->sent.size(); }

    // Confirms host mode and answers every init command with success.
    void initialise() {
        tnc->deliver("* JHOST1\r\n");
        for (int i = 0; i < 8 && hostMode().isInitialising(); ++i)
            tnc->deliver(ok(0));
    }

    // Answers polls with "nothing" until a frame matching `wanted` is sent (bounded).
    bool answerUntilSent(const QByteArray &wanted, int limit = 100) {
        for (int i = 0; i < limit; ++i) {
            if (lastSent() == wanted)
                return true;
            tnc->deliver(answerTo(lastSent()));
        }
        return false;
    }

    static QByteArray answerTo(const QByteArray &frame) {
        if (frame == QByteArray("\0\x01\x01@B", 5))
            return textAnswer(0, 1, "8192");
        if (frame.size() == 4 && frame[3] == 'L')
            return textAnswer(frame[0], 1, frame[0] == 0 ? "0 0" : "0 0 0 0 0 0");
        return ok(frame[0]);
    }

    test::TempProgramDir home;
    test::FakeClock clock;
    test::ScriptedPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    std::unique_ptr<Kernel> kernel;
    FakeTransport *tnc = nullptr;
    RecordingMonitor monitor;
    RecordingChannel channels[5];
};

} // namespace

class HostModeControlTest : public QObject {
    Q_OBJECT

private slots:
    void entersHostModeAndSendsInitCommandsOneByOne() {
        Fixture f;
        QCOMPARE(f.tnc->sent, QByteArrayList{QByteArray("\x18\x1bjhost1\r")});
        QVERIFY(f.tnc->isActive());
        // The confirmation arrives in lower case, split over two chunks.
        f.tnc->deliver("junk * jho");
        QCOMPARE(f.sentCount(), 1);
        f.tnc->deliver("st1\r\n");
        QCOMPARE(f.tnc->hostModeConfirmedCalls, 1);
        const QByteArrayList expected{command(0, "MUISC"), command(0, "T 5"),
                                      command(0, "I QQ1ZZZ-14"), command(0, "Y 4")};
        for (const QByteArray &line : expected) {
            QCOMPARE(f.lastSent(), line);
            const qsizetype before = f.sentCount();
            f.tnc->deliver(QByteArray(1, '\0'));
            QCOMPARE(f.sentCount(), before); // half an answer sends nothing
            f.tnc->deliver(QByteArray(1, '\0'));
        }
        QCOMPARE(f.lastSent(), poll(0, 'G'));
        QVERIFY(!f.hostMode().isInitialising());
        QVERIFY(f.hostMode().lineWatchdog().isActive());
        QVERIFY(f.kernel->messageFetchTimer().isActive());
        QVERIFY(!f.kernel->headerFetchTimer().isActive());
    }

    void rejectedInitCommandShowsTheTncTextAndGoesOn() {
        Fixture f;
        f.tnc->deliver("* JHOST1\r\n");
        f.tnc->deliver(textAnswer(0, 2, "INVALID COMMAND: MUISC"));
        QCOMPARE(f.prompter.shown.size(), size_t(1));
        QCOMPARE(f.prompter.shown[0].text, QString("INVALID COMMAND: MUISC"));
        QCOMPARE(f.lastSent(), command(0, "T 5"));
    }

    void initAnswerThatNeverCompletesIsGivenUpAfterFiveSeconds() {
        Fixture f;
        f.tnc->deliver("* JHOST1\r\n");
        f.tnc->deliver(QByteArray("\0\x01PART", 6)); // a code 1 text without its zero
        f.clock.advance(4999);
        QCOMPARE(f.lastSent(), command(0, "MUISC"));
        f.clock.advance(1);
        QCOMPARE(f.lastSent(), command(0, "T 5"));
        f.tnc->deliver(QByteArray("IAL", 3) + '\0'); // late rest of the abandoned answer
        QCOMPARE(f.lastSent(), command(0, "T 5"));
        f.tnc->deliver(ok(0)); // the real answer to T 5
        QCOMPARE(f.lastSent(), command(0, "I QQ1ZZZ-14"));
    }

    void queuedTextWaitsForThePollsAnswer() {
        Fixture f;
        f.initialise();
        QCOMPARE(f.lastSent(), poll(0, 'G'));
        f.hostMode().SendText(2, "hello\r");
        QCOMPARE(f.lastSent(), poll(0, 'G'));
        QCOMPARE(f.channels[2].shown, QByteArrayList{"8:hello\r"});
        f.tnc->deliver(ok(0));
        QCOMPARE(f.lastSent(), info(2, "hello\r"));
        const qsizetype before = f.sentCount();
        f.clock.advance(1000); // nothing more goes out until the text is answered
        QCOMPARE(f.sentCount(), before);
        f.tnc->deliver(ok(2));
        QCOMPARE(f.sentCount(), before + 1);
        QCOMPARE(f.tnc->sent.last()[1], '\x01'); // a poll again
    }

    void monitorHeaderWithInformationMakesChannelZeroPolledFirst() {
        Fixture f;
        f.initialise();
        f.hostMode().SendText(1, "queued\r");
        f.tnc->deliver(textAnswer(0, 5, "fm QQ2BBS to FBB ctl UI pid F0"));
        QCOMPARE(f.lastSent(), poll(0, 'G'));
        QCOMPARE(f.monitor.shown, QByteArrayList{"5:fm QQ2BBS to FBB ctl UI pid F0\r"});
        f.tnc->deliver(QByteArray("\0\x06\x04"
                                  "data\r",
                                  8));
        QCOMPARE(f.lastSent(), info(1, "queued\r"));
        QCOMPARE(f.monitor.captured, (QList<int>{5, 6}));
    }

    void statusReportForcesPollsOnItsChannel_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<int>("forcedPolls");
        QTest::newRow("4 waiting, burst 1: six G") << QByteArray("0 4 0 0 0 4") << 6;
        QTest::newRow("3 waiting: none") << QByteArray("0 3 0 0 0 4") << 0;
    }
    void statusReportForcesPollsOnItsChannel() {
        QFETCH(QByteArray, status);
        QFETCH(int, forcedPolls);
        Fixture f;
        f.initialise();
        QVERIFY(f.answerUntilSent(poll(2, 'L')));
        f.tnc->deliver(textAnswer(2, 1, status));
        QCOMPARE(f.channels[2].statuses, QByteArrayList{status});
        int gOnTwo = 0;
        for (int i = 0; i < 10 && f.lastSent() == poll(2, 'G'); ++i) {
            ++gOnTwo;
            f.tnc->deliver(ok(2));
        }
        QCOMPARE(gOnTwo, forcedPolls);
    }

    void connectCommandTakesTheChannelsOwnSsid_data() {
        QTest::addColumn<bool>("claimed");
        QTest::addColumn<bool>("otherConnected");
        QTest::addColumn<QByteArrayList>("queued");
        const QByteArray ssid = command(3, "i QQ1ZZZ-1"), connect = command(3, "c QQ2BBS");
        QTest::newRow("claimed by automation") << true << false << QByteArrayList{ssid, connect};
        QTest::newRow("another channel connected")
            << false << true << QByteArrayList{ssid, connect};
        QTest::newRow("neither") << false << false << QByteArrayList{connect};
    }
    void connectCommandTakesTheChannelsOwnSsid() {
        QFETCH(bool, claimed);
        QFETCH(bool, otherConnected);
        QFETCH(QByteArrayList, queued);
        Fixture f;
        f.initialise();
        f.hostMode().channels()[3].automation_claimed = claimed;
        f.hostMode().channels().setConnected(1, otherConnected);
        f.hostMode().SendCommand(3, "c QQ2BBS");
        QVERIFY(f.hostMode().channels()[3].connect_initiated_here);
        QByteArrayList sent;
        for (int i = 0; i < queued.size(); ++i) {
            f.tnc->deliver(Fixture::answerTo(f.lastSent()));
            sent << f.lastSent();
        }
        QCOMPARE(sent, queued);
    }

    void telnetTransportAddsALineFeedToText() {
        Fixture f({}, 2);
        f.initialise();
        f.hostMode().SendText(1, "hi\r");
        f.tnc->deliver(ok(0));
        QCOMPARE(f.lastSent(), info(1, "hi\r\n"));
    }

    void routesStatusAnswersByTheirKind() {
        Fixture f;
        f.initialise();
        QString buffer;
        QObject::connect(&f.hostMode(), &HostModeControl::bufferReport,
                         [&buffer](const QString &text) { buffer = text; });
        QVERIFY(f.answerUntilSent(QByteArray("\0\x01\x01@B", 5)));
        f.tnc->deliver(textAnswer(0, 1, "8192"));
        QCOMPARE(buffer, QString("Buf : 8192"));
        for (const QByteArray &shown : f.monitor.shown) // status answers are not shown as text
            QVERIFY(!shown.contains("8192"));

        f.hostMode().SendCommand(2, "c", ReplyKind::ConnectionStatus);
        QVERIFY(f.answerUntilSent(command(2, "c")));
        f.tnc->deliver(textAnswer(2, 1, "CHANNEL NOT CONNECTED"));
        QCOMPARE(f.channels[2].connectStatus, QByteArrayList{"CHANNEL NOT CONNECTED\r"});
        for (const QByteArray &shown : f.channels[2].shown)
            QVERIFY(!shown.contains("NOT CONNECTED"));

        QVERIFY(f.answerUntilSent(poll(1, 'G')));
        f.tnc->deliver(textAnswer(1, 3, "(1) CONNECTED to QQ3NOD"));
        QCOMPARE(f.channels[1].shown.last(), QByteArray("3:(1) CONNECTED to QQ3NOD\r"));
        QCOMPARE(f.channels[1].processed.last(), 3);
    }

    void garbageFromTheTncNeverStopsThePolling() {
        Fixture f;
        f.initialise();
        const qsizetype before = f.sentCount();
        f.tnc->deliver(QByteArray("\x01\x09xyz", 5));
        QCOMPARE(f.sentCount(), before + 1);
        QCOMPARE(f.hostMode().link().protocolErrors(), 1);
    }

    void silentLineIsReportedAndRecovers() {
        Fixture f;
        f.home.write("virhe.wav", "RIFF");
        f.initialise();
        bool lost = false;
        QObject::connect(&f.hostMode(), &HostModeControl::lineLostChanged,
                         [&lost](bool now) { lost = now; });
        f.clock.advance(19999);
        QVERIFY(f.sound.played.isEmpty());
        f.clock.advance(1);
        QCOMPARE(f.sound.audible, QStringList{f.home.filePath("virhe.wav")});
        QVERIFY(lost && f.hostMode().isLineLost());
        QVERIFY(!f.hostMode().lineWatchdog().isActive());
        const qsizetype before = f.sentCount();
        f.clock.advance(20000); // the TNC is asked again
        QCOMPARE(f.sentCount(), before + 1);
        f.tnc->deliver(Fixture::answerTo(f.lastSent())); // a late answer
        QVERIFY(!lost && !f.hostMode().isLineLost());
        QVERIFY(f.hostMode().lineWatchdog().isActive());
        QCOMPARE(f.sentCount(), before + 2);
        QCOMPARE(f.sound.played.size(), 1);
    }

    void orderlyEndLeavesHostModeAndWritesTheTransferFlags() {
        Fixture f;
        f.initialise();
        bool ended = false;
        QObject::connect(f.kernel.get(), &Kernel::endOfRunReached, [&ended] { ended = true; });
        f.kernel->setOption(Option::TxCompressed, false);
        f.prompter.answerNext(MessageAnswer::No);
        QCOMPARE(f.kernel->decideClose(), Kernel::CloseDecision::WaitForHostMode);
        QVERIFY(!f.kernel->purgeAtEnd());
        f.tnc->deliver(Fixture::answerTo(f.lastSent()));
        QCOMPARE(f.lastSent(), QByteArray("\0\x01\x05jhost0", 9));
        const qsizetype before = f.sentCount();
        f.tnc->deliver(ok(0)); // later bytes are not parsed and nothing more is sent
        QCOMPARE(f.sentCount(), before);
        f.clock.advance(399);
        QVERIFY(!ended);
        f.clock.advance(1);
        QVERIFY(ended);
        const QByteArray written = f.home.read("KRX.INI");
        QVERIFY(written.contains("RX pakattu siirto=1"));
        QVERIFY(written.contains("TX pakattu siirto=0"));
        QVERIFY(written.contains("TX lisaa CRLF=0"));
        QCOMPARE(f.kernel->decideClose(), Kernel::CloseDecision::CloseNow);
    }

    void notConfiguredOpensNothing() {
        test::TempProgramDir home;
        home.write("KRX.INI", "[krx asetus]\r\noma kutsu=NOCALL\r\n");
        test::FakeClock clock;
        test::ScriptedPrompter prompter;
        test::RecordingSoundPlayer sound;
        test::RecordingShell shell;
        Kernel kernel(ProgramDirectory(home.path()), "krx",
                      Services{clock, prompter, sound, shell});
        bool factoryCalled = false;
        kernel.setTransportFactory([&factoryCalled](const Settings &) {
            factoryCalled = true;
            return std::unique_ptr<Transport>();
        });
        kernel.start();
        kernel.startHostMode();
        QVERIFY(!factoryCalled);
        kernel.hostMode().SendText(1, "x");
        QCOMPARE(kernel.hostMode().queuedFrames(), 0);
    }
};

QTEST_GUILESS_MAIN(HostModeControlTest)
#include "test_hostmodecontrol.moc"
