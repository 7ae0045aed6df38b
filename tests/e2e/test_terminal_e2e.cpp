// The terminal's engines against the simulated TNC in simulated time: QSO channel engines on
// channels 1 to 4 and the monitor engine, wired to the real kernel and host-mode control as
// the main window wires them, with the simulator as the transport.

#include "FakeClock.h"
#include "FakeSeams.h"
#include "TempProgramDir.h"
#include "core/HostModeControl.h"
#include "core/Kernel.h"
#include "monitor/MonitorEngine.h"
#include "terminal/QsoChannel.h"
#include "tncsim/ChatterStation.h"
#include "tncsim/DxClusterStation.h"
#include "tncsim/EchoStation.h"
#include "tncsim/InProcessTransport.h"
#include "tncsim/NodesBroadcast.h"
#include "tncsim/NodesBroadcaster.h"
#include "tncsim/RefusingStations.h"
#include "tncsim/Tnc.h"

#include <QFileInfo>
#include <QtTest>
#include <array>
#include <functional>

using namespace krx;

Q_DECLARE_METATYPE(krx::LinkState)

namespace {

constexpr int kChannels = 4;
constexpr qint64 kStepMs = 20;
constexpr qint64 kPatienceMs = 20000;

QByteArray settingsFile(const QByteArray &greeting) {
    return "[portti asetus]\r\nEMU=6\r\nsettings=19200,N,8,1\r\n"
           "[krx asetus]\r\noma kutsu=QQ1ZZZ\r\nkanavien maara=4\r\npoissa aika=0\r\n"
           "tervehdys=" +
           greeting +
           "\r\n[laatikko]\r\noma BBS=QQ2BBS\r\n"
           "[TNC INIT]\r\nx0=MUISC\r\nx1=K 1\r\n";
}

// Calls the TNC when told to and keeps everything it receives on the link.
class RecordingCaller final : public tncsim::Station {
public:
    using Station::Station;
    void callNow() { network().connect(*this, network().tncCall()); }
    void received(tncsim::Connection &, const QByteArray &data) override { heard += data; }
    QByteArray heard;
};

// The program's engines on a settings file, talking to a simulated TNC through the
// in-process transport; time moves only when the test moves it.
class Terminal {
public:
    explicit Terminal(const QByteArray &greeting = {}) {
        home.write("KRX.INI", settingsFile(greeting));
        kernel = std::make_unique<Kernel>(ProgramDirectory(home.path()), QStringLiteral("krx"),
                                          Services{clock, prompter, sound, shell});
        kernel->setTransportFactory([this](const Settings &) {
            return std::make_unique<tncsim::InProcessTransport>(tnc, clock);
        });
        kernel->start();
        HostModeControl &control = hostMode();
        monitor = std::make_unique<MonitorEngine>(*kernel, control);
        monitor->pane().setScrollLimit(500);
        control.setMonitorEndpoint(monitor.get());
        for (int channel = 1; channel <= kChannels; ++channel) {
            channels[channel] =
                std::make_unique<QsoChannel>(channel, *kernel, control, control.channels());
            control.setChannelEndpoint(channel, channels[channel].get());
        }
        kernel->startHostMode();
    }
    ~Terminal() {
        for (int channel = 1; channel <= kChannels; ++channel)
            hostMode().setChannelEndpoint(channel, nullptr);
        hostMode().setMonitorEndpoint(nullptr);
    }

    HostModeControl &hostMode() { return kernel->hostMode(); }
    bool polling() { return !hostMode().isInitialising() && hostMode().lineWatchdog().isActive(); }
    QsoChannel &channel(int number) { return *channels.at(number); }

    // Moves simulated time on until `done` holds; false when it did not within the patience.
    bool runUntil(const std::function<bool()> &done) {
        for (qint64 waited = 0; !done(); waited += kStepMs) {
            if (waited >= kPatienceMs)
                return false;
            clock.advance(kStepMs);
        }
        return true;
    }

    template <typename Kind> Kind *add(std::unique_ptr<Kind> station) {
        Kind *added = station.get();
        tnc.addStation(std::move(station));
        return added;
    }

    test::FakeClock clock{QDateTime(QDate(2026, 12, 11), QTime(14, 37, 5), Qt::UTC)};
    tncsim::Tnc tnc{clock};
    test::TempProgramDir home;
    test::ScriptedPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    std::unique_ptr<Kernel> kernel;
    std::unique_ptr<MonitorEngine> monitor;
    std::array<std::unique_ptr<QsoChannel>, kChannels + 1> channels;
};

// A received line of the channel's RX model: its text and the display code of each stretch.
struct RxLine {
    QByteArray text;
    QList<int> codes;
    bool operator==(const RxLine &) const = default;
};

QList<RxLine> rxLines(const QsoChannel &channel) {
    QList<RxLine> lines;
    const RxLineModel &rx = channel.rx();
    for (int index = 0; index < rx.lineCount(); ++index) {
        RxLine line{rx.line(index), {}};
        for (const RxRun &run : rx.runs(index))
            line.codes << run.code;
        lines << line;
    }
    return lines;
}

bool hasLineStartingWith(const QsoChannel &channel, const QByteArray &start, int code) {
    for (const RxLine &line : rxLines(channel))
        if (line.text.startsWith(start) && line.codes == QList<int>{code})
            return true;
    return false;
}

// Everything the monitor pane shows in one style, in order.
QByteArray textIn(const MonitorPane &pane, MonitorStyle style) {
    QByteArray text;
    for (const StyledRun &run : pane.runs())
        if (run.style == style)
            text += run.text;
    return text;
}

QStringList fileNames(const QStringList &paths) {
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

const QList<tncsim::NodesRoute> kRoutes{{"QQ3NOD", "NOD3", "QQ3NOD", 192},
                                        {"QQ6NOD-15", "TAMPR", "QQ3NOD", 152}};

const QByteArray kRoutesTable = "  \r\n"
                                " NET/ROM Nodes Broadcast from (NOD4)\r\n"
                                "  Node      Alias    Via       Quality\r\n"
                                "  QQ3NOD    (NOD3)  QQ3NOD        192   \r\n"
                                "  QQ6NOD-15 (TAMPR) QQ3NOD        152   \r\n"
                                "  \r\n";

} // namespace

class TerminalEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void incomingConnectionGetsTheGreeting_data() {
        QTest::addColumn<QByteArray>("greeting");
        QTest::addColumn<QByteArray>("heard");
        QTest::newRow("greeting") << QByteArray("Tervetuloa QQ1ZZZ:n asemalle, kirjoita viesti.")
                                  << QByteArray("Tervetuloa QQ1ZZZ:n asemalle, kirjoita viesti.\r");
        QTest::newRow("no greeting: a lone CR") << QByteArray() << QByteArray("\r");
    }
    void incomingConnectionGetsTheGreeting() {
        QFETCH(QByteArray, greeting);
        QFETCH(QByteArray, heard);
        Terminal terminal(greeting);
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        auto *caller = terminal.add(std::make_unique<RecordingCaller>("QQ5CAL"));
        caller->callNow();
        QsoChannel &channel = terminal.channel(1);
        QVERIFY(terminal.runUntil([&] { return caller->heard.size() >= heard.size(); }));
        terminal.clock.advance(1000); // nothing more comes
        QCOMPARE(caller->heard, heard);

        QCOMPARE(channel.linkState(), LinkState::Connected);
        QVERIFY(terminal.hostMode().channels().isConnected(1));
        QVERIFY(hasLineStartingWith(channel, "(1) CONNECTED to QQ5CAL - 11/12/26 14:37:", 3));
        if (!greeting.isEmpty())
            QCOMPARE(rxLines(channel).last(), (RxLine{greeting, {8}}));
        QCOMPARE(fileNames(terminal.sound.played), (QStringList{"con_aani.wav", "connect.wav"}));
        for (int other = 2; other <= kChannels; ++other)
            QCOMPARE(terminal.channel(other).rx().lineCount(), 0);
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void typedTextReachesTheStationAndItsAnswerShows() {
        Terminal terminal;
        terminal.add(std::make_unique<tncsim::EchoStation>("QQ7ECH"));
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        QsoChannel &channel = terminal.channel(2);
        QVERIFY(!channel.typeEnter("too early")); // nothing goes on a disconnected channel
        terminal.hostMode().SendCommand(2, "C QQ7ECH");
        QVERIFY(terminal.runUntil([&] { return channel.linkState() == LinkState::Connected; }));

        QVERIFY(channel.typeEnter("ping de QQ1ZZZ"));
        QVERIFY(terminal.runUntil([&] { return channel.rx().lineCount() == 3; }));
        terminal.clock.advance(1000);
        const QList<RxLine> lines = rxLines(channel);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].text.startsWith("(2) CONNECTED to QQ7ECH - 11/12/26 14:37:"));
        QCOMPARE(lines[0].codes, QList<int>{3});
        QCOMPARE(lines[1], (RxLine{"ping de QQ1ZZZ", {8}})); // own text
        QCOMPARE(lines[2], (RxLine{"ping de QQ1ZZZ", {7}})); // the station's answer
        QVERIFY(channel.rx().lastLineComplete());
        // A connect made here is neither greeted nor announced.
        QVERIFY(terminal.sound.played.isEmpty());
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void monitorShowsTrafficHeardOnTheAir() {
        Terminal terminal;
        terminal.add(std::make_unique<tncsim::ChatterStation>("QQ6RAD", 1000));
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        const MonitorPane &pane = terminal.monitor->pane();
        QVERIFY(terminal.runUntil([&] { return pane.text().contains("73!"); }));

        const QByteArray headers = textIn(pane, monitor_styles::header);
        for (const QByteArray &header :
             {QByteArray("fm QQ6RAD to QQ2PEK ctl SABM+ - 11/12/26 14:37:"),
              QByteArray("fm QQ2PEK to QQ6RAD ctl UA- - 11/12/26 14:37:"),
              QByteArray("fm QQ6RAD to QQ2PEK ctl I00^ pid F0 - 11/12/26 14:37:"),
              QByteArray("fm QQ2PEK to QQ6RAD ctl RR1v - 11/12/26 14:37:"),
              QByteArray("fm QQ2PEK to QQ6RAD ctl I10^ pid F0 - 11/12/26 14:37:")})
            QVERIFY2(headers.contains(header), header.constData());
        const QByteArray contents = textIn(pane, monitor_styles::contents);
        QVERIFY(contents.contains("Good evening Pekka, how is the new antenna doing?\r\n"
                                  "Evening! It works fine, the node comes in S9 all day.\r\n"));
        QVERIFY(!headers.contains("Good evening"));
        QCOMPARE(terminal.monitor->linkState(), LinkState::Disconnected);
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void nodesBroadcastPrintsItsTable_data() {
        QTest::addColumn<bool>("versionTwoMark");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("ctl UI^") << true << QByteArray("fm QQ4NOD to NODES ctl UI^ pid CF - ");
        QTest::newRow("ctl UI") << false << QByteArray("fm QQ4NOD to NODES ctl UI pid CF - ");
    }
    void nodesBroadcastPrintsItsTable() {
        QFETCH(bool, versionTwoMark);
        QFETCH(QByteArray, header);
        Terminal terminal;
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        const tncsim::NodesBroadcast broadcast("NOD4", kRoutes);
        QVERIFY(
            terminal.tnc.injectMonitorFrame(broadcast.frames("QQ4NOD", versionTwoMark).front()));
        const MonitorPane &pane = terminal.monitor->pane();
        QVERIFY(terminal.runUntil([&] { return pane.text().endsWith(kRoutesTable); }));
        terminal.clock.advance(1000);

        QCOMPARE(textIn(pane, monitor_styles::nodesTable), kRoutesTable);
        QVERIFY(textIn(pane, monitor_styles::header).contains(header));
        QVERIFY(!pane.text().contains('\xff')); // the binary contents are not shown as such
        QVERIFY(terminal.monitor->nodesFollow());
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void broadcastingNodeIsDecodedEveryTime() {
        Terminal terminal;
        terminal.add(std::make_unique<tncsim::NodesBroadcaster>("QQ4NOD", 2000));
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        const MonitorPane &pane = terminal.monitor->pane();
        const QByteArray title = " NET/ROM Nodes Broadcast from (NOD4)\r\n";
        QVERIFY(terminal.runUntil(
            [&] { return textIn(pane, monitor_styles::nodesTable).count(title) == 2; }));
        const QByteArray table = textIn(pane, monitor_styles::nodesTable);
        QVERIFY(table.contains("  QQ6NOD-15 (TAMPR) QQ3NOD        152   \r\n"));
        QVERIFY(table.contains("  QQ2BBS-1  (BBS2)  QQ6NOD-15     120   \r\n"));
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void busyAndLinkFailureReachTheChannels() {
        Terminal terminal;
        terminal.add(std::make_unique<tncsim::BusyStation>("QQ8BSY"));
        terminal.add(std::make_unique<tncsim::UnreachableStation>("QQ9NOA"));
        terminal.add(std::make_unique<tncsim::EchoStation>("QQ7ECH"));
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        HostModeControl &hostMode = terminal.hostMode();
        QsoChannel &busy = terminal.channel(3);
        QsoChannel &unreachable = terminal.channel(4);
        QStringList captions;
        QObject::connect(&unreachable, &QsoChannel::captionChanged,
                         [&](const QString &caption) { captions << caption; });

        hostMode.SendCommand(3, "C QQ8BSY");
        hostMode.SendCommand(4, "C QQ9NOA");
        QVERIFY(terminal.runUntil([&] {
            return busy.linkState() == LinkState::Busy &&
                   hasLineStartingWith(unreachable, "(4) LINK FAILURE with QQ9NOA", 3);
        }));
        QVERIFY(hasLineStartingWith(busy, "(3) BUSY fm QQ8BSY - 11/12/26 14:37:", 3));
        QCOMPARE(unreachable.linkState(), LinkState::Disconnected);
        // The caption is the whole link text.
        QCOMPARE(captions, QStringList{QString::fromLatin1(rxLines(unreachable).last().text)});
        QVERIFY(!hostMode.channels().isConnected(3));
        QVERIFY(!hostMode.channels().isConnected(4));
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void linkFailureOfAnOpenLinkEndsItButKeepsTheDxMode() {
        Terminal terminal;
        terminal.add(std::make_unique<tncsim::EchoStation>("QQ7ECH"));
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        QsoChannel &channel = terminal.channel(1);
        terminal.hostMode().SendCommand(1, "C QQ7ECH");
        channel.procedureState().dx_mode = true; // as the DX cluster command starts it
        QVERIFY(terminal.runUntil([&] { return channel.linkState() == LinkState::Connected; }));
        QVERIFY(terminal.hostMode().channels().isConnected(1));

        QVERIFY(terminal.tnc.loseLink(1));
        QVERIFY(terminal.runUntil([&] { return channel.linkState() == LinkState::Disconnected; }));
        QVERIFY(hasLineStartingWith(channel, "(1) LINK FAILURE with QQ7ECH", 3));
        QVERIFY(!terminal.hostMode().channels().isConnected(1));
        QVERIFY(channel.procedureState().dx_mode);
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }

    void dxSpotsFromTheClusterSoundTheAlert() {
        Terminal terminal;
        auto *cluster = terminal.add(std::make_unique<tncsim::DxClusterStation>("QQ5DX"));
        terminal.home.write("dx.wav", "RIFF");
        QVERIFY(terminal.runUntil([&] { return terminal.polling(); }));
        QsoChannel &channel = terminal.channel(2);
        terminal.hostMode().SendCommand(2, "C QQ5DX");
        channel.procedureState().dx_mode = true;
        QVERIFY(terminal.runUntil([&] { return channel.rx().lastLine().endsWith("dxspider >"); }));
        QVERIFY(terminal.sound.played.isEmpty()); // the greeting has no BEL

        const QByteArray spot = cluster->spotNow();
        QVERIFY(terminal.runUntil([&] { return channel.rx().lastLine().startsWith("DX de "); }));
        QCOMPARE(channel.rx().lastLine(), spot + "\a\a");
        QCOMPARE(fileNames(terminal.sound.audible), QStringList{"dx.wav"});
        QCOMPARE(terminal.tnc.violationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TerminalEndToEndTest)
#include "test_terminal_e2e.moc"
