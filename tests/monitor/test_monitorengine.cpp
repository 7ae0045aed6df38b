#include "MonitorFixture.h"
#include "monitor/MonitorEngine.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

using namespace krx;
using test::MonitorFixture;
using Sent = test::RecordingSendOperations::Sent;

namespace {

HostResponse record(int code, const QByteArray &text) {
    HostResponse response;
    response.channel = 0;
    response.code = code;
    response.text = text;
    response.length = int(code >= 6 ? text.size() : text.size() - 1);
    return response;
}

// Shows and captures one channel-0 response the way the host-mode control routes it.
void route(MonitorEngine &engine, int code, const QByteArray &text) {
    const HostResponse response = record(code, text);
    engine.ShowMonitorText(response.text, code);
    engine.CaptureMonitor(response);
}

const QByteArray mailboxHeader = "fm QQ2BBS to FBB ctl UI pid F0 - 00/00/00 00:00:12\r";
const QByteArray nodesHeader = "fm QQ3NOD to NODES ctl UI^ pid CF - 00/00/00 00:05:00\r";
const QByteArray nodesContents = QByteArray::fromHex("FF 42 42 53 4E 4F 44"
                                                     "A2 A2 64 84 84 A6 60 42 42 53 20 20 20"
                                                     "A2 A2 66 9C 9E 88 7E C0");
const QByteArray nodesTable = "  \r\n NET/ROM Nodes Broadcast from (BBSNOD)\r\n"
                              "  Node      Alias    Via       Quality\r\n"
                              "  QQ2BBS    (BBS)   QQ3NOD-15     192   \r\n"
                              "  \r\n";

// A lists window stand-in: answers each header line from a script and records the calls.
struct ListsWindowStandIn {
    explicit ListsWindowStandIn(bool capture = true) : capture(capture) {}

    UnprotoHooks hooks() {
        return {[this] { return capture; },
                [this](const QByteArray &line) {
                    lines << line;
                    return verdicts.isEmpty() ? UnprotoVerdict::Stored : verdicts.takeFirst();
                },
                [this] { ++requests; }, [this] { ++listings; }};
    }

    bool capture;
    QList<UnprotoVerdict> verdicts;
    QByteArrayList lines;
    int requests = 0;
    int listings = 0;
};

QString fileText(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

class MonitorEngineTest : public QObject {
    Q_OBJECT

private slots:
    void showsTextsInTheStyleOfTheirCode() {
        MonitorFixture f;
        f.engine->ShowMonitorText("fm QQ1ZZZ to QQ3NOD ctl SABM+\r", 4);
        f.engine->ShowMonitorText("INVALID COMMAND\r", 2);
        f.engine->ShowMonitorText("Hello from node\r", 6);
        f.engine->ShowMonitorText("hi", 8);
        f.engine->ShowMonitorText("ignored", 0);
        f.engine->ShowMonitorText("", 6);
        const std::vector<StyledRun> runs = f.engine->pane().runs();
        QCOMPARE(runs.size(), size_t(4));
        QCOMPARE(runs[0].text, QByteArray("fm QQ1ZZZ to QQ3NOD ctl SABM+\r\n"));
        QVERIFY(runs[0].style == monitor_styles::header);
        QVERIFY(runs[1].style == monitor_styles::commandReply);
        QCOMPARE(runs[2].text, QByteArray("Hello from node\r\n"));
        QVERIFY(runs[2].style == monitor_styles::contents);
        QCOMPARE(runs[3].text, QByteArray("hi\r\n"));
        QVERIFY(runs[3].style == monitor_styles::sentEcho);
    }

    void convertsOemTextWhenTheConversionIsOn() {
        MonitorFixture f;
        f.engine->ShowMonitorText("P\x84iv\x84\r", 6); // "Päivä" in code page 850
        QCOMPARE(f.engine->pane().text(), QByteArray("P\xe4iv\xe4\r\n"));
        f.kernel->setOption(Option::AutoOem, false);
        f.engine->ShowMonitorText("\x84\r", 6);
        QVERIFY(f.engine->pane().text().endsWith("\x84\r\n"));
    }

    void followsTheScrollLimit() {
        MonitorFixture f;
        f.engine->pane().setScrollLimit(2);
        for (const char *text : {"one", "two", "three"})
            f.engine->ShowMonitorText(text, 6);
        QCOMPARE(f.engine->pane().text(), QByteArray("two\r\nthree\r\n"));
    }

    void followsChannelZeroLinkStatus_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<LinkState>("state");
        QTest::addColumn<bool>("sound");
        QTest::newRow("busy") << QByteArray("(0) BUSY fm QQ3NOD\r") << LinkState::Busy << false;
        QTest::newRow("connected") << QByteArray("(0) CONNECTED to QQ3NOD - 00/00/00 00:01:41\r")
                                   << LinkState::Connected << false;
        QTest::newRow("link reset")
            << QByteArray("(0) LINK RESET fm QQ3NOD\r") << LinkState::Connected << false;
        QTest::newRow("link failure")
            << QByteArray("(0) LINK FAILURE with QQ3NOD\r") << LinkState::LinkFailure << false;
        QTest::newRow("connect request")
            << QByteArray("(0) CONNECT REQUEST fm QQ3NOD\r") << LinkState::ConnectRequest << true;
        QTest::newRow("frame reject")
            << QByteArray("(0) FRAME REJECT fm QQ3NOD\r") << LinkState::FrameReject << false;
        QTest::newRow("unknown text keeps the state")
            << QByteArray("(0) SOMETHING ELSE\r") << LinkState::Busy << false;
        QTest::newRow("a text without the channel is no event")
            << QByteArray("CONNECTED\r") << LinkState::Busy << false;
    }

    void followsChannelZeroLinkStatus() {
        QFETCH(QByteArray, text);
        QFETCH(LinkState, state);
        QFETCH(bool, sound);
        MonitorFixture f;
        QCOMPARE(f.engine->linkState(), LinkState::Disconnected);
        route(*f.engine, 3, "(0) BUSY fm QQ9ZZZ\r");
        route(*f.engine, 3, text);
        QCOMPARE(f.engine->linkState(), state);
        const QStringList expectedSounds =
            sound ? QStringList{QDir(f.home.path()).filePath("con_aani.wav")} : QStringList{};
        QCOMPARE(f.sound.played, expectedSounds);
        QVERIFY(f.engine->pane().text().endsWith(text + '\n')); // shown as well
    }

    void disconnectedAfterConnected() {
        MonitorFixture f;
        route(*f.engine, 3, "(0) CONNECTED to QQ3NOD\r");
        route(*f.engine, 3, "(0) DISCONNECTED fm QQ3NOD - 00/00/00 00:02:03\r");
        QCOMPARE(f.engine->linkState(), LinkState::Disconnected);
    }

    void handsMailboxHeaderLinesToTheListsWindow() {
        MonitorFixture f;
        ListsWindowStandIn lists;
        f.engine->setUnprotoHooks(lists.hooks());
        route(*f.engine, 5, mailboxHeader);
        QVERIFY(f.engine->headerFollows());
        route(*f.engine, 6, "5301 B 1234 ALL@WW QQ3ABC 261211 Test\r\n5302 # \r5303 part");
        QCOMPARE(lists.lines, (QByteArrayList{"5301 B 1234 ALL@WW QQ3ABC 261211 Test", "5302 # "}));
        QVERIFY(!f.engine->headerFollows());
        // The contents are shown too.
        QVERIFY(f.engine->pane().text().contains("5303 part\r\n"));
        // The next contents without a header of their own are only shown.
        route(*f.engine, 6, "5304 B 10 ALL@WW QQ3ABC 261211 Late\r");
        QCOMPARE(lists.lines.size(), 2);
    }

    void actsOnTheVerdicts_data() {
        QTest::addColumn<QList<UnprotoVerdict>>("verdicts");
        QTest::addColumn<int>("linesClassified");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("listings");
        using V = UnprotoVerdict;
        QTest::newRow("stored, skipped: all lines")
            << QList<V>{V::Stored, V::NumberSkipped, V::Stored} << 3 << 0 << 0;
        QTest::newRow("needs listing stops") << QList<V>{V::Stored, V::NeedsListing} << 2 << 0 << 1;
        QTest::newRow("needs request stops") << QList<V>{V::NeedsRequest} << 1 << 1 << 0;
        QTest::newRow("unusable stops") << QList<V>{V::Unusable} << 1 << 0 << 0;
        QTest::newRow("refused stops") << QList<V>{V::Stored, V::Refused} << 2 << 0 << 0;
        QTest::newRow("in step stops") << QList<V>{V::InStep} << 1 << 0 << 0;
        QTest::newRow("an unknown verdict goes on")
            << QList<V>{V(9), V(-1), V::Stored} << 3 << 0 << 0;
    }

    void actsOnTheVerdicts() {
        QFETCH(QList<UnprotoVerdict>, verdicts);
        QFETCH(int, linesClassified);
        QFETCH(int, requests);
        QFETCH(int, listings);
        MonitorFixture f;
        ListsWindowStandIn lists;
        lists.verdicts = verdicts;
        f.engine->setUnprotoHooks(lists.hooks());
        route(*f.engine, 5, mailboxHeader);
        route(*f.engine, 6,
              "101 B 10 ALL@WW QQ3ABC 261211 One\r102 # \r103 B 10 ALL@WW QQ3ABC 261211 Three\r");
        QCOMPARE(lists.lines.size(), linesClassified);
        QCOMPARE(lists.requests, requests);
        QCOMPARE(lists.listings, listings);
        QVERIFY(!f.engine->headerFollows());
    }

    void capturesOnlyTheOwnMailboxWhileCaptureIsOn_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("capture");
        QTest::addColumn<bool>("captured");
        QTest::newRow("own mailbox, mark after UI")
            << QByteArray("fm QQ2BBS to FBB ctl UI^ pid F0\r") << true << true;
        QTest::newRow("own mailbox, AGWPE style")
            << QByteArray("1:Fm QQ2BBS To FBB <UI pid=F0 Len=12 >[12:00:00]\r") << true << true;
        QTest::newRow("another mailbox")
            << QByteArray("fm QQ9BBS to FBB ctl UI pid F0\r") << true << false;
        QTest::newRow("capture off") << mailboxHeader << false << false;
        QTest::newRow("a header without contents") << QByteArray() << true << false;
    }

    void capturesOnlyTheOwnMailboxWhileCaptureIsOn() {
        QFETCH(QByteArray, header);
        QFETCH(bool, capture);
        QFETCH(bool, captured);
        MonitorFixture f; // the setting holds the mailbox in lower case
        ListsWindowStandIn lists(capture);
        f.engine->setUnprotoHooks(lists.hooks());
        if (!header.isEmpty())
            route(*f.engine, 5, header);
        route(*f.engine, 6, "5301 B 1234 ALL@WW QQ3ABC 261211 Test\r");
        QCOMPARE(lists.lines.size(), captured ? 1 : 0);
    }

    void capturesNothingUntilTheListsWindowLendsItsHooks() {
        MonitorFixture f;
        route(*f.engine, 5, mailboxHeader);
        QVERIFY(!f.engine->headerFollows());
        route(*f.engine, 6, "5301 B 1234 ALL@WW QQ3ABC 261211 Test\r");
        QVERIFY(f.engine->pane().text().endsWith("Test\r\n"));
    }

    void decodesNodesBroadcastsInPurpleOutsideTheLog() {
        MonitorFixture f;
        const QString logPath = f.home.filePath("monitor.log");
        f.prompter.answers.push_back(logPath);
        f.engine->toggleLog();
        route(*f.engine, 5, "fm QQ3NOD to NODES ctl UI pid CF - 00/00/00 00:05:00\r");
        QVERIFY(f.engine->nodesFollow());
        route(*f.engine, 6, nodesContents);
        const std::vector<StyledRun> runs = f.engine->pane().runs();
        QCOMPARE(runs.back().text, nodesTable);
        QVERIFY(runs.back().style == monitor_styles::nodesTable);
        QVERIFY(!f.engine->pane().text().contains("\xff"));
        QCOMPARE(fileText(logPath),
                 QString::fromLatin1("fm QQ3NOD to NODES ctl UI pid CF - 00/00/00 00:05:00\r\n"));
        // The flag stays until the next header with contents.
        QVERIFY(f.engine->nodesFollow());
        route(*f.engine, 4, "fm QQ1ZZZ to QQ3NOD ctl RR1v\r");
        QVERIFY(f.engine->nodesFollow());
        route(*f.engine, 5, "fm QQ3NOD to QQ1ZZZ ctl I00^ pid F0\r");
        QVERIFY(!f.engine->nodesFollow());
        route(*f.engine, 6, "Hello from node\r");
        QVERIFY(f.engine->pane().text().endsWith("Hello from node\r\n"));
    }

    void reportsStatusAndTheFastReadNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("linkMessages");
        QTest::addColumn<int>("monitorFrames");
        QTest::addColumn<int>("result");
        QTest::newRow("nothing waiting") << QByteArray("0 0") << 3 << 0 << 0 << 0;
        QTest::newRow("at the threshold") << QByteArray("1 3") << 3 << 1 << 3 << 0;
        QTest::newRow("above the threshold") << QByteArray("0 4") << 3 << 0 << 4 << 4;
        QTest::newRow("lower threshold") << QByteArray("2 1") << 0 << 2 << 1 << 1;
        QTest::newRow("blanks around") << QByteArray(" 0 12 ") << 3 << 0 << 12 << 12;
        QTest::newRow("not numbers") << QByteArray("x y") << 3 << -1 << -1 << 0;
        QTest::newRow("one number") << QByteArray("5") << 3 << 5 << -1 << 0;
        QTest::newRow("empty") << QByteArray() << 3 << -1 << -1 << 0;
    }

    void reportsStatusAndTheFastReadNumber() {
        QFETCH(QByteArray, text);
        QFETCH(int, threshold);
        QFETCH(int, linkMessages);
        QFETCH(int, monitorFrames);
        QFETCH(int, result);
        MonitorFixture f;
        QCOMPARE(f.engine->fastReadThreshold(), 3);
        f.engine->setFastReadThreshold(threshold);
        QSignalSpy status(f.engine.get(), &MonitorEngine::statusTextChanged);
        QCOMPARE(f.engine->ShowMonitorStatus(text), result);
        QCOMPARE(f.engine->statusNumbers().linkMessages, linkMessages);
        QCOMPARE(f.engine->statusNumbers().monitorFrames, monitorFrames);
        QCOMPARE(status.size(), 1);
        QCOMPARE(status[0][0].toByteArray(), "Status : " + text);
    }

    void sendsWhatIsTypedInTheCommandPane() {
        MonitorFixture f;
        f.engine->sendUnprotoLine("CQ de QQ1ZZZ");
        f.engine->sendUnprotoLine("");
        f.engine->sendCommandLine("MUISC");
        f.engine->sendCommandLine("");
        f.engine->sendControlCharacter('\x1b');
        f.engine->sendControlCharacter('\x02');
        f.engine->sendControlCharacter('\x1c'); // beyond 27
        f.engine->sendControlCharacter('\0');
        const std::vector<Sent> expected{
            {0, "CQ de QQ1ZZZ\r", false, ReplyKind::InformationFrame},
            {0, "\r", false, ReplyKind::InformationFrame},
            {0, "MUISC", true, ReplyKind::Command},
            {0, "\x1b", false, ReplyKind::InformationFrame},
            {0, "\x02", false, ReplyKind::InformationFrame},
        };
        QVERIFY(f.sends.sent == expected);
    }

    void logsToAFileChosenInPub() {
        MonitorFixture f;
        QSignalSpy logging(f.engine.get(), &MonitorEngine::loggingChanged);
        f.engine->toggleLog(); // cancelled
        QVERIFY(!f.engine->isLogging());
        QCOMPARE(f.prompter.saveDialogs.size(), 1);
        QCOMPARE(f.prompter.saveDialogs[0],
                 (QStringList{QString(), QDir(f.home.path()).filePath("pub"), QString()}));
        QVERIFY(logging.isEmpty());

        const QString logPath = f.home.filePath("pub/monitor.log");
        f.home.write("pub/monitor.log", "earlier run\r\n");
        f.prompter.answers.push_back(logPath);
        f.engine->toggleLog();
        QVERIFY(f.engine->isLogging());
        f.engine->ShowMonitorText("fm QQ1ZZZ to QQ3NOD ctl UA-\r", 4);
        // Flushed at once: the file holds the text while the log is still open.
        QCOMPARE(fileText(logPath),
                 QString::fromLatin1("earlier run\r\nfm QQ1ZZZ to QQ3NOD ctl UA-\r\n"));
        f.engine->ShowMonitorText("no line end", 6);
        QCOMPARE(fileText(logPath), QString::fromLatin1("earlier run\r\nfm QQ1ZZZ to QQ3NOD ctl "
                                                        "UA-\r\nno line end\r\n"));
        f.engine->toggleLog();
        QVERIFY(!f.engine->isLogging());
        f.engine->ShowMonitorText("after", 6);
        QVERIFY(!fileText(logPath).contains("after"));
        QCOMPARE(logging.size(), 2);
        QCOMPARE(logging[0], QVariantList{true});
        QCOMPARE(logging[1], QVariantList{false});
    }

    void createsAMissingLogFileAndClosesItWithTheWindow() {
        MonitorFixture f;
        const QString logPath = f.home.filePath("new.log");
        f.prompter.answers.push_back(logPath);
        f.engine->toggleLog();
        f.engine->ShowMonitorText("first", 6);
        QSignalSpy logging(f.engine.get(), &MonitorEngine::loggingChanged);
        f.engine->closeLog();
        QVERIFY(!f.engine->isLogging());
        QCOMPARE(logging.size(), 1);
        QCOMPARE(fileText(logPath), QString::fromLatin1("first\r\n"));
        f.engine->closeLog(); // nothing open: nothing happens
        QCOMPARE(logging.size(), 1);
    }

    void reportsALogThatCannotBeOpened() {
        MonitorFixture f;
        f.prompter.answers.push_back(f.home.path()); // a folder
        f.engine->toggleLog();
        QVERIFY(!f.engine->isLogging());
        QCOMPARE(f.prompter.messages.size(), 1);
        QVERIFY(f.prompter.messages[0].contains(f.home.path()));
        QVERIFY(f.prompter.icons[0] == MessageIcon::Error);
    }

    void reportsAndClosesALogThatCannotBeWritten() {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("needs /dev/full");
        MonitorFixture f;
        f.prompter.answers.push_back(QStringLiteral("/dev/full"));
        f.engine->toggleLog();
        QVERIFY(f.engine->isLogging());
        f.engine->ShowMonitorText("lost", 6);
        QVERIFY(!f.engine->isLogging());
        QCOMPARE(f.prompter.messages.size(), 1);
        QVERIFY(f.prompter.messages[0].contains(QStringLiteral("/dev/full")));
        f.engine->ShowMonitorText("more", 6);
        QCOMPARE(f.prompter.messages.size(), 1);
        QVERIFY(f.engine->pane().text().contains("lost\r\nmore\r\n"));
    }

    void togglesScrollLock() {
        MonitorFixture f;
        QVERIFY(!f.engine->pane().scrollLock());
        f.engine->toggleScrollLock();
        QVERIFY(f.engine->pane().scrollLock());
        f.engine->toggleScrollLock();
        QVERIFY(!f.engine->pane().scrollLock());
    }
};

QTEST_GUILESS_MAIN(MonitorEngineTest)
#include "test_monitorengine.moc"
