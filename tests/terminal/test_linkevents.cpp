#include "ChannelFixture.h"
#include "core/Clock.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

using namespace krx;
using test::ChannelFixture;

Q_DECLARE_METATYPE(krx::LinkState)

namespace {

QStringList fileNames(const QStringList &paths) {
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

// Records what the raw file transfers are asked to do.
struct RecordingTransfers final : RawFileTransfers {
    bool isReceiving() const override { return receiving; }
    void receive(const QByteArray &bytes) override { received << bytes; }
    void endTransfers() override { ++ended; }
    bool receiving = false;
    QByteArrayList received;
    int ended = 0;
};

const QByteArray spot = "DX de QQ3AA:     14025.0  QQ9ZZ        cq           1200Z\a\r";

} // namespace

class LinkEventsTest : public QObject {
    Q_OBJECT

private slots:
    void eventWordsSetTheLinkState_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<LinkState>("before");
        QTest::addColumn<LinkState>("after");
        QTest::addColumn<bool>("connected");
        QTest::newRow("BUSY") << QByteArray("(1) BUSY fm QQ2BBS") << LinkState::Disconnected
                              << LinkState::Busy << false;
        QTest::newRow("CONNECTED") << QByteArray("(1) CONNECTED to QQ2BBS")
                                   << LinkState::Disconnected << LinkState::Connected << true;
        QTest::newRow("LINK RESET") << QByteArray("(1) LINK RESET fm QQ2BBS")
                                    << LinkState::FrameReject << LinkState::Connected << false;
        QTest::newRow("DISCONNECTED") << QByteArray("(1) DISCONNECTED fm QQ2BBS")
                                      << LinkState::Connected << LinkState::Disconnected << false;
        QTest::newRow("LINK FAILURE") << QByteArray("(1) LINK FAILURE with QQ2BBS")
                                      << LinkState::Connected << LinkState::Disconnected << false;
        QTest::newRow("CONNECT REQUEST")
            << QByteArray("(1) CONNECT REQUEST fm QQ2BBS") << LinkState::Disconnected
            << LinkState::ConnectRequest << false;
        QTest::newRow("FRAME REJECT") << QByteArray("(1) FRAME REJECT fm QQ2BBS")
                                      << LinkState::Connected << LinkState::FrameReject << true;
        QTest::newRow("words are case-sensitive")
            << QByteArray("(1) connected to QQ2BBS") << LinkState::Disconnected
            << LinkState::Disconnected << false;
        QTest::newRow("the word must follow the first blank")
            << QByteArray("(1) XCONNECTED to QQ2BBS") << LinkState::Disconnected
            << LinkState::Disconnected << false;
        QTest::newRow("no blank") << QByteArray("CONNECTED") << LinkState::Disconnected
                                  << LinkState::Disconnected << false;
    }
    void eventWordsSetTheLinkState() {
        QFETCH(QByteArray, text);
        QFETCH(LinkState, before);
        QFETCH(LinkState, after);
        QFETCH(bool, connected);
        ChannelFixture f;
        f.setLinkState(before);
        f.channelStates.setConnected(1, before == LinkState::Connected);
        f.engine->channelState().automation_claimed = true;
        f.engine->channelState().connect_initiated_here = true;
        f.linkStatus(text);
        QCOMPARE(f.engine->linkState(), after);
        QCOMPARE(f.channelStates.isConnected(1), connected);
        QVERIFY(!f.engine->channelState().automation_claimed);
        QVERIFY(f.send.texts.isEmpty()); // a connect made here gets no greeting
    }

    void connectInitiatedHereIsClearedByLinkEvents_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("CONNECTED") << QByteArray("(1) CONNECTED to QQ2BBS") << true;
        QTest::newRow("DISCONNECTED") << QByteArray("(1) DISCONNECTED fm QQ2BBS") << true;
        QTest::newRow("LINK FAILURE") << QByteArray("(1) LINK FAILURE with QQ2BBS") << true;
        QTest::newRow("BUSY") << QByteArray("(1) BUSY fm QQ2BBS") << false;
    }
    void connectInitiatedHereIsClearedByLinkEvents() {
        QFETCH(QByteArray, text);
        QFETCH(bool, cleared);
        ChannelFixture f;
        f.engine->channelState().connect_initiated_here = true;
        f.linkStatus(text);
        QCOMPARE(f.engine->channelState().connect_initiated_here, !cleared);
    }

    void greetsAStationThatConnectsToUs_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("initiatedHere");
        QTest::addColumn<QByteArrayList>("texts");
        QTest::newRow("greeting") << QByteArray("tervehdys=Tervetuloa QQ1ZZZ:lle\r\n") << false
                                  << QByteArrayList{"Tervetuloa QQ1ZZZ:lle\r"};
        QTest::newRow("empty greeting sends a lone CR")
            << QByteArray() << false << QByteArrayList{"\r"};
        QTest::newRow("outgoing connection")
            << QByteArray("tervehdys=Hello\r\n") << true << QByteArrayList{};
    }
    void greetsAStationThatConnectsToUs() {
        QFETCH(QByteArray, settings);
        QFETCH(bool, initiatedHere);
        QFETCH(QByteArrayList, texts);
        ChannelFixture f(settings, {}, 2);
        f.engine->channelState().connect_initiated_here = initiatedHere;
        f.linkStatus("(2) CONNECTED to QQ3AA");
        QCOMPARE(f.send.texts, texts);
        QCOMPARE(f.send.channels, QList<int>(texts.size(), 2));
        // The greeting is echoed below the link status.
        QByteArrayList echoed;
        for (const QByteArray &text : texts)
            echoed << text.chopped(1);
        QCOMPARE(f.rxLines().mid(1), echoed);
    }

    void connectSoundsFallBack_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("tried");
        QTest::addColumn<QStringList>("audible");
        QTest::newRow("both present") << QStringList{"con_aani.wav", "connect.wav"}
                                      << QStringList{"con_aani.wav"} << QStringList{"con_aani.wav"};
        QTest::newRow("second choice")
            << QStringList{"connect.wav"} << QStringList{"con_aani.wav", "connect.wav"}
            << QStringList{"connect.wav"};
        QTest::newRow("neither") << QStringList{} << QStringList{"con_aani.wav", "connect.wav"}
                                 << QStringList{};
    }
    void connectSoundsFallBack() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, tried);
        QFETCH(QStringList, audible);
        ChannelFixture f;
        for (const QString &file : files)
            f.home.write(file, "RIFF");
        f.linkStatus("(1) CONNECTED to QQ3AA");
        QCOMPARE(fileNames(f.sound.played), tried);
        QCOMPARE(fileNames(f.sound.audible), audible);
    }

    void outgoingConnectionPlaysNothing() {
        ChannelFixture f;
        f.home.write("con_aani.wav", "RIFF");
        f.engine->channelState().connect_initiated_here = true;
        f.linkStatus("(1) CONNECTED to QQ2BBS");
        QVERIFY(f.sound.played.isEmpty());
    }

    void playSoundAnswersWhetherTheFileExists() {
        ChannelFixture f;
        f.home.write("haloo.wav", "RIFF");
        QVERIFY(f.engine->sounds().PlaySound("haloo.wav"));
        QVERIFY(!f.engine->sounds().PlaySound("bell.wav"));
        QCOMPARE(f.sound.played.first(), f.home.filePath("haloo.wav"));
    }

    void toolbarButtonsFollowTheLink() {
        ChannelFixture f;
        QSignalSpy buttons(f.engine.get(), &QsoChannel::connectionButtonsDown);
        f.linkStatus("(1) CONNECTED to QQ2BBS");
        f.linkStatus("(1) LINK RESET fm QQ2BBS");
        f.linkStatus("(1) LINK FAILURE with QQ2BBS");
        f.linkStatus("(1) DISCONNECTED fm QQ2BBS");
        QCOMPARE(buttons.size(), 3);
        QCOMPARE(buttons[0].first().toBool(), true);
        QCOMPARE(buttons[1].first().toBool(), false);
        QCOMPARE(buttons[2].first().toBool(), false);
    }

    void busyDuringAScriptDisconnects_data() {
        QTest::addColumn<bool>("script");
        QTest::addColumn<QByteArrayList>("commands");
        QTest::newRow("script running") << true << QByteArrayList{"d", "d"};
        QTest::newRow("no script") << false << QByteArrayList{};
    }
    void busyDuringAScriptDisconnects() {
        QFETCH(bool, script);
        QFETCH(QByteArrayList, commands);
        ChannelFixture f;
        f.engine->procedureState().scriptActive = script;
        f.linkStatus("(1) BUSY fm QQ2BBS");
        f.linkStatus("(1) BUSY fm QQ2BBS");
        QCOMPARE(f.send.commands, commands);
        QCOMPARE(f.send.commandKinds, QList<ReplyKind>(commands.size(), ReplyKind::Command));
    }

    void linkLossEndsTheDxModeOnlyWhenDisconnected_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("dxModeKept");
        QTest::newRow("DISCONNECTED") << QByteArray("(1) DISCONNECTED fm QQ4DX") << false;
        QTest::newRow("LINK FAILURE") << QByteArray("(1) LINK FAILURE with QQ4DX") << true;
    }
    void linkLossEndsTheDxModeOnlyWhenDisconnected() {
        QFETCH(QByteArray, text);
        QFETCH(bool, dxModeKept);
        ChannelFixture f({}, "[DX infos]\r\nerotus=60000\r\n");
        f.engine->procedureState().dx_mode = true;
        f.kernel->dxQuietTimer().start();
        f.linkStatus(text);
        QCOMPARE(f.engine->procedureState().dx_mode, dxModeKept);
        QCOMPARE(f.kernel->dxQuietTimer().isActive(), dxModeKept);
    }

    void linkFailureThenDisconnectedEndsTheDxMode() {
        ChannelFixture f;
        f.engine->procedureState().dx_mode = true;
        f.linkStatus("(1) LINK FAILURE with QQ4DX");
        QVERIFY(f.engine->procedureState().dx_mode);
        f.linkStatus("(1) DISCONNECTED fm QQ4DX");
        QVERIFY(!f.engine->procedureState().dx_mode);
    }

    void linkLossEndsRawFileTransfers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("ended");
        QTest::newRow("DISCONNECTED") << QByteArray("(1) DISCONNECTED fm QQ3AA") << 1;
        QTest::newRow("LINK FAILURE") << QByteArray("(1) LINK FAILURE with QQ3AA") << 1;
        QTest::newRow("BUSY") << QByteArray("(1) BUSY fm QQ3AA") << 0;
        QTest::newRow("CONNECTED") << QByteArray("(1) CONNECTED to QQ3AA") << 0;
    }
    void linkLossEndsRawFileTransfers() {
        QFETCH(QByteArray, text);
        QFETCH(int, ended);
        ChannelFixture f;
        RecordingTransfers transfers;
        f.engine->setRawFileTransfers(&transfers);
        f.linkStatus(text);
        QCOMPARE(transfers.ended, ended);
    }

    void dxSpotAlert_data() {
        QTest::addColumn<bool>("dxMode");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("special");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("quietRunning");
        QTest::addColumn<QStringList>("played");
        QTest::addColumn<bool>("quietAfter");
        QTest::newRow("ordinary spot starts the quiet period")
            << true << spot << QByteArray() << 30000 << false << QStringList{"dx.wav"} << true;
        QTest::newRow("ordinary spot in the quiet period is silent")
            << true << spot << QByteArray() << 30000 << true << QStringList{} << true;
        QTest::newRow("special spot sounds in the quiet period")
            << true << spot << QByteArray("qq9zz") << 30000 << true << QStringList{"dxspecial.wav"}
            << true;
        QTest::newRow("special spot starts no quiet period")
            << true << spot << QByteArray("QQ9ZZ") << 30000 << false << QStringList{"dxspecial.wav"}
            << false;
        QTest::newRow("spot without the special string")
            << true << spot << QByteArray("QQ8YY") << 30000 << false << QStringList{"dx.wav"}
            << true;
        QTest::newRow("interval 0: no quiet period")
            << true << spot << QByteArray() << 0 << false << QStringList{"dx.wav"} << false;
        QTest::newRow("no BEL") << true << QByteArray("DX de QQ3AA: 14025.0 QQ9ZZ\r")
                                << QByteArray("QQ9ZZ") << 30000 << false << QStringList{} << false;
        QTest::newRow("not a DX cluster connection")
            << false << spot << QByteArray("QQ9ZZ") << 30000 << false << QStringList{} << false;
    }
    void dxSpotAlert() {
        QFETCH(bool, dxMode);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, special);
        QFETCH(int, interval);
        QFETCH(bool, quietRunning);
        QFETCH(QStringList, played);
        QFETCH(bool, quietAfter);
        ChannelFixture f({}, "[DX infos]\r\nerotus=" + QByteArray::number(interval) +
                                 "\r\nsana=" + special + "\r\n");
        f.engine->procedureState().dx_mode = dxMode;
        if (quietRunning)
            f.kernel->dxQuietTimer().start();
        f.response(7, text);
        QCOMPARE(fileNames(f.sound.played), played);
        QCOMPARE(f.kernel->dxQuietTimer().isActive(), quietAfter);
    }

    void quietPeriodEndsWhenItsTimerFires() {
        ChannelFixture f({}, "[DX infos]\r\nerotus=1000\r\n");
        f.engine->procedureState().dx_mode = true;
        f.response(7, spot);
        f.clock.advance(999);
        f.response(7, spot);
        QCOMPARE(f.sound.played.size(), 1);
        f.clock.advance(1);
        QVERIFY(!f.kernel->dxQuietTimer().isActive());
        f.clock.advance(5000);
        f.response(7, spot);
        QCOMPARE(fileNames(f.sound.played), (QStringList{"dx.wav", "dx.wav"}));
    }

    void quietPeriodIsSharedByAllChannels() {
        ChannelFixture f({}, "[DX infos]\r\nerotus=30000\r\n");
        QsoChannel other(2, *f.kernel, f.send, f.channelStates);
        f.engine->procedureState().dx_mode = true;
        other.procedureState().dx_mode = true;
        f.response(7, spot);
        other.ShowText(spot, 7);
        QCOMPARE(f.sound.played.size(), 1);
        // Disconnecting any channel ends the quiet period.
        f.linkStatus("(1) DISCONNECTED fm QQ4DX");
        other.ShowText(spot, 7);
        QCOMPARE(f.sound.played.size(), 2);
    }
};

QTEST_GUILESS_MAIN(LinkEventsTest)
#include "test_linkevents.moc"
