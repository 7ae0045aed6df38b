#include "ChannelFixture.h"
#include "core/Clock.h"

#include <QSignalSpy>
#include <QtTest>

using namespace krx;
using test::ChannelFixture;

Q_DECLARE_METATYPE(krx::LinkState)

class QsoChannelTest : public QObject {
    Q_OBJECT

private slots:
    void showsTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("procedure");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<bool>("lastComplete");
        QTest::newRow("received text, CR line ends")
            << 7 << 0 << QByteArray("hello\rworld\r") << QByteArrayList{"hello", "world"} << true;
        QTest::newRow("received text without a line end")
            << 7 << 0 << QByteArray("QQ2BBS>") << QByteArrayList{"QQ2BBS>"} << false;
        QTest::newRow("CR LF kept as one line end")
            << 6 << 0 << QByteArray("a\r\nb\r") << QByteArrayList{"a", "b"} << true;
        QTest::newRow("command answer") << 1 << 0 << QByteArray("CHANNEL NOT CONNECTED\r")
                                        << QByteArrayList{"CHANNEL NOT CONNECTED"} << true;
        QTest::newRow("empty text") << 7 << 0 << QByteArray() << QByteArrayList{} << false;
        QTest::newRow("code 0") << 0 << 0 << QByteArray("x") << QByteArrayList{} << false;
        QTest::newRow("own text") << 8 << 0 << QByteArray("hi\r") << QByteArrayList{"hi"} << true;
        QTest::newRow("own text hidden while a procedure runs")
            << 8 << 2 << QByteArray("hi\r") << QByteArrayList{} << false;
        QTest::newRow("received text shown while a procedure runs")
            << 7 << 2 << QByteArray("QQ2BBS>\r") << QByteArrayList{"QQ2BBS>"} << true;
        QTest::newRow("notice shown while a procedure runs")
            << 9 << 2 << QByteArray("note\r") << QByteArrayList{"note"} << true;
        QTest::newRow("compressed data phase hides data")
            << 7 << 12 << QByteArray("\x01\x02\r") << QByteArrayList{} << false;
        QTest::newRow("autobin phase 22 hides data")
            << 7 << 22 << QByteArray("data") << QByteArrayList{} << false;
        QTest::newRow("autobin phase 31 hides link status")
            << 3 << 31 << QByteArray("(1) BUSY\r") << QByteArrayList{} << false;
        QTest::newRow("autobin phase 39 hides own text")
            << 8 << 39 << QByteArray("x") << QByteArrayList{} << false;
        QTest::newRow("binary phase shows notices")
            << 9 << 22 << QByteArray("ok\r") << QByteArrayList{"ok"} << true;
        QTest::newRow("received OEM text converted")
            << 7 << 0 << QByteArray("p\x84iv\x84\r") << QByteArrayList{"p\xe4iv\xe4"} << true;
        QTest::newRow("own text not converted")
            << 8 << 0 << QByteArray("\x84\r") << QByteArrayList{"\x84"} << true;
    }
    void showsTexts() {
        QFETCH(int, code);
        QFETCH(int, procedure);
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, lines);
        QFETCH(bool, lastComplete);
        ChannelFixture f;
        f.engine->procedureState().Procedure = procedure;
        f.engine->ShowText(text, code);
        QCOMPARE(f.rxLines(), lines);
        QCOMPARE(f.engine->rx().lastLineComplete(), lastComplete);
    }

    void linkStatusTextBecomesTheCaption_data() {
        QTest::addColumn<int>("procedure");
        QTest::newRow("no procedure") << 0;
        QTest::newRow("binary phase") << 12;
    }
    void linkStatusTextBecomesTheCaption() {
        QFETCH(int, procedure);
        ChannelFixture f;
        f.engine->procedureState().Procedure = procedure;
        QSignalSpy caption(f.engine.get(), &QsoChannel::captionChanged);
        f.engine->ShowText("(1) CONNECTED to QQ2BBS\r", 3);
        QCOMPARE(caption.size(), 1);
        QCOMPARE(caption.first().first().toString(), QString("(1) CONNECTED to QQ2BBS"));
        f.engine->ShowText("text\r", 7);
        QCOMPARE(caption.size(), 1);
    }

    void neverHoldsMoreLinesThanTheScrollLimit() {
        ChannelFixture f("SELAUS MAARA=30\r\n");
        for (int i = 0; i < 45; ++i) {
            f.engine->ShowText("line " + QByteArray::number(i) + '\r', 7);
            QVERIFY(f.engine->rx().lineCount() <= 30);
        }
        QCOMPARE(f.rxLines().first(), QByteArray("line 15"));
        QCOMPARE(f.engine->rx().lastLine(), QByteArray("line 44"));
    }

    void scrollLockLetsThePaneGrowUntilItGoesOff() {
        ChannelFixture f("SELAUS MAARA=30\r\n");
        QSignalSpy panel(f.engine.get(), &QsoChannel::statusPanelChanged);
        QCOMPARE(f.engine->statusPanelText(2), QString("Scroll lock off"));
        f.engine->toggleScrollLock();
        QCOMPARE(f.engine->statusPanelText(2), QString("Scroll Lock On"));
        for (int i = 0; i < 45; ++i)
            f.engine->ShowText("line\r", 7);
        QCOMPARE(f.engine->rx().lineCount(), 45);
        f.engine->toggleScrollLock();
        QCOMPARE(f.engine->statusPanelText(2), QString("Scroll Lock Off"));
        QCOMPARE(f.engine->rx().lineCount(), 45);
        f.engine->ShowText("next\r", 7);
        QCOMPARE(f.engine->rx().lineCount(), 30);
        QCOMPARE(panel.size(), 2);
    }

    void enterSendsTheLineInPacketsOfPaclen_data() {
        QTest::addColumn<int>("paclen");
        QTest::addColumn<LinkState>("state");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QByteArrayList>("texts");
        const QByteArray full(150, 'x');
        QTest::newRow("short line") << 150 << LinkState::Connected << QByteArray("hello") << true
                                    << QByteArrayList{"hello\r"};
        QTest::newRow("exactly PACLEN")
            << 150 << LinkState::Connected << full << true << QByteArrayList{full + '\r'};
        QTest::newRow("PACLEN + 1") << 150 << LinkState::Connected << full + 'y' << true
                                    << QByteArrayList{full + '\r', "y\r"};
        QTest::newRow("small PACLEN, exact")
            << 4 << LinkState::Connected << QByteArray("abcd") << true << QByteArrayList{"abcd\r"};
        QTest::newRow("small PACLEN + 1") << 4 << LinkState::Connected << QByteArray("abcde")
                                          << true << QByteArrayList{"abcd\r", "e\r"};
        QTest::newRow("two pieces and a rest")
            << 4 << LinkState::Connected << QByteArray("abcdefghij") << true
            << QByteArrayList{"abcd\r", "efgh\r", "ij\r"};
        QTest::newRow("empty line sends a lone CR")
            << 150 << LinkState::Connected << QByteArray() << true << QByteArrayList{"\r"};
        QTest::newRow("disconnected sends nothing")
            << 150 << LinkState::Disconnected << QByteArray("hello") << false << QByteArrayList{};
        QTest::newRow("busy still sends")
            << 150 << LinkState::Busy << QByteArray("hello") << true << QByteArrayList{"hello\r"};
        QTest::newRow("PACLEN 0 cuts single characters")
            << 0 << LinkState::Connected << QByteArray("ab") << true
            << QByteArrayList{"a\r", "b\r"};
    }
    void enterSendsTheLineInPacketsOfPaclen() {
        QFETCH(int, paclen);
        QFETCH(LinkState, state);
        QFETCH(QByteArray, line);
        QFETCH(bool, taken);
        QFETCH(QByteArrayList, texts);
        ChannelFixture f("PACLEN=" + QByteArray::number(paclen) + "\r\n", {}, 2);
        f.setLinkState(state);
        QCOMPARE(f.engine->typeEnter(line), taken);
        QCOMPARE(f.send.texts, texts);
        QCOMPARE(f.send.channels, QList<int>(texts.size(), 2));
        QVERIFY(f.send.commands.isEmpty());
    }

    void ctrlEnterSendsACommand_data() {
        QTest::addColumn<LinkState>("state");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArrayList>("commands");
        QTest::newRow("connect while disconnected")
            << LinkState::Disconnected << QByteArray("c QQ2BBS") << QByteArrayList{"c QQ2BBS"};
        QTest::newRow("while connected")
            << LinkState::Connected << QByteArray("d") << QByteArrayList{"d"};
        QTest::newRow("empty line") << LinkState::Connected << QByteArray() << QByteArrayList{};
    }
    void ctrlEnterSendsACommand() {
        QFETCH(LinkState, state);
        QFETCH(QByteArray, line);
        QFETCH(QByteArrayList, commands);
        ChannelFixture f;
        f.setLinkState(state);
        QCOMPARE(f.engine->typeCommand(line), !commands.isEmpty());
        QCOMPARE(f.send.commands, commands);
        QCOMPARE(f.send.commandKinds, QList<ReplyKind>(commands.size(), ReplyKind::Command));
        QVERIFY(f.send.texts.isEmpty());
    }

    void controlCharactersAreSentAtOnce_data() {
        QTest::addColumn<int>("character");
        QTest::addColumn<bool>("sent");
        QTest::newRow("Ctrl+A") << 1 << true;
        QTest::newRow("Tab") << 9 << true;
        QTest::newRow("Ctrl+Z") << 26 << true;
        QTest::newRow("Escape") << 27 << true;
        QTest::newRow("Backspace is never sent") << 8 << false;
        QTest::newRow("LF belongs to Ctrl+Enter") << 10 << false;
        QTest::newRow("CR belongs to Enter") << 13 << false;
        QTest::newRow("NUL") << 0 << false;
        QTest::newRow("28") << 28 << false;
        QTest::newRow("letter") << int('a') << false;
    }
    void controlCharactersAreSentAtOnce() {
        QFETCH(int, character);
        QFETCH(bool, sent);
        ChannelFixture f;
        f.setLinkState(LinkState::Disconnected);
        QCOMPARE(f.engine->typeControl(char(character)), sent);
        QCOMPARE(f.send.texts,
                 sent ? QByteArrayList{QByteArray(1, char(character))} : QByteArrayList{});
    }

    void showsLinkStatus_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<LinkState>("state");
        QTest::addColumn<bool>("script");
        QTest::addColumn<QString>("stateName");
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("result");
        // Before each row an earlier reply has named the state "Device Busy".
        const QString kept = "Device Busy";
        QTest::newRow("link the window does not know of")
            << QByteArray("0 0 0 0 0 4") << LinkState::Disconnected << false
            << "Information Transfer" << true << 0;
        QTest::newRow("link setup is not asked about")
            << QByteArray("0 0 0 0 0 1") << LinkState::Disconnected << false << "Link Setup"
            << false << 0;
        QTest::newRow("frame reject is asked about")
            << QByteArray("0 0 0 0 0 2") << LinkState::Disconnected << false << "Frame Reject"
            << true << 0;
        QTest::newRow("known link") << QByteArray("0 0 0 0 0 4") << LinkState::Connected << false
                                    << "Information Transfer" << false << 0;
        QTest::newRow("script running") << QByteArray("0 0 0 0 0 4") << LinkState::Disconnected
                                        << true << "Information Transfer" << false << 0;
        QTest::newRow("frames above the threshold")
            << QByteArray("0 4 0 0 0 4") << LinkState::Connected << false << "Information Transfer"
            << false << 4;
        QTest::newRow("frames at the threshold")
            << QByteArray("0 3 0 0 0 4") << LinkState::Connected << false << "Information Transfer"
            << false << 0;
        QTest::newRow("first state name") << QByteArray("0 0 0 0 0 0") << LinkState::Connected
                                          << false << "Disconnected" << false << 0;
        QTest::newRow("last state name")
            << QByteArray("0 0 0 0 0 15") << LinkState::Connected << false
            << "Reject Frame Sent and Both Devices Busy" << false << 0;
        QTest::newRow("state out of range")
            << QByteArray("0 9 0 0 0 16") << LinkState::Disconnected << false << kept << false << 9;
        QTest::newRow("negative state")
            << QByteArray("0 0 0 0 0 -1") << LinkState::Disconnected << false << kept << false << 0;
        QTest::newRow("not numbers")
            << QByteArray("garbage") << LinkState::Disconnected << false << kept << false << 0;
        QTest::newRow("blanks around") << QByteArray(" 0 5 0 0 0 0 ") << LinkState::Connected
                                       << false << "Disconnected" << false << 5;
    }
    void showsLinkStatus() {
        QFETCH(QByteArray, text);
        QFETCH(LinkState, state);
        QFETCH(bool, script);
        QFETCH(QString, stateName);
        QFETCH(bool, queried);
        QFETCH(int, result);
        ChannelFixture f;
        f.setLinkState(LinkState::Connected);
        f.engine->ShowLinkStatus("0 0 0 0 0 7");
        f.setLinkState(state);
        f.engine->procedureState().scriptActive = script;
        QCOMPARE(f.engine->ShowLinkStatus(text), result);
        QCOMPARE(f.engine->statusPanelText(0), "Status : " + QString::fromLatin1(text));
        QCOMPARE(f.engine->statusPanelText(1), stateName);
        QCOMPARE(f.send.commands, queried ? QByteArrayList{"c"} : QByteArrayList{});
        if (queried)
            QCOMPARE(f.send.commandKinds.first(), ReplyKind::ConnectionStatus);
    }

    void storesTheStatusNumbers() {
        ChannelFixture f;
        f.engine->ShowLinkStatus("1 2 x 4 5 6");
        const LinkStatusNumbers expected{1, 2, -1, 4, 5, 6};
        QCOMPARE(f.engine->statusNumbers(), expected);
        f.engine->setReceivedFramesThreshold(1);
        QCOMPARE(f.engine->ShowLinkStatus("0 2 0 0 0 4"), 2);
    }

    void showsConnectStatus_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("kieli");
        QTest::addColumn<LinkState>("state");
        QTest::addColumn<QString>("caption");
        QTest::newRow("free channel")
            << QByteArray("CHANNEL NOT CONNECTED\r") << 1 << LinkState::Disconnected << QString();
        QTest::newRow("link already up, English")
            << QByteArray("QQ2BBS\r") << 1 << LinkState::Connected
            << "(3) CONNECTED TO QQ2BBS earlier";
        QTest::newRow("link already up, Finnish")
            << QByteArray("QQ2BBS\r") << 0 << LinkState::Connected
            << "(3) CONNECTED TO QQ2BBS aikaisemmin";
        QTest::newRow("answer without its CR")
            << QByteArray("QQ2BBS") << 1 << LinkState::Busy << QString();
        QTest::newRow("empty answer") << QByteArray("\r") << 1 << LinkState::Busy << QString();
    }
    void showsConnectStatus() {
        QFETCH(QByteArray, text);
        QFETCH(int, kieli);
        QFETCH(LinkState, state);
        QFETCH(QString, caption);
        ChannelFixture f("kieli=" + QByteArray::number(kieli) + "\r\n", {}, 3);
        f.setLinkState(LinkState::Busy);
        f.engine->procedureState().scriptActive = true;
        f.engine->procedureState().scriptLines = {"c QQ2BBS"};
        QSignalSpy captions(f.engine.get(), &QsoChannel::captionChanged);
        QSignalSpy buttons(f.engine.get(), &QsoChannel::connectionButtonsDown);
        f.engine->ShowConnectStatus(text);
        QCOMPARE(f.engine->linkState(), state);
        QCOMPARE(f.channelStates.isConnected(3), state == LinkState::Connected);
        QCOMPARE(captions.isEmpty() ? QString() : captions.first().first().toString(), caption);
        QCOMPARE(buttons.size(), caption.isEmpty() ? 0 : 1);
        // Only a link that is up drops the script.
        QCOMPARE(f.engine->procedureState().scriptActive, state != LinkState::Connected);
        QCOMPARE(f.engine->procedureState().scriptLines.isEmpty(), state == LinkState::Connected);
    }

    void meterShowsSizeAndSpeed_data() {
        QTest::addColumn<int>("kieli");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << 1
                                 << QStringList{"0 bytes", "speed 0 cps", "300 bytes",
                                                "speed 600 cps", "speed 300 cps"};
        QTest::newRow("Finnish") << 0
                                 << QStringList{"0 tavua", "nopeus 0 cps", "300 tavua",
                                                "nopeus 600 cps", "nopeus 300 cps"};
    }
    void meterShowsSizeAndSpeed() {
        QFETCH(int, kieli);
        QFETCH(QStringList, texts);
        ChannelFixture f("kieli=" + QByteArray::number(kieli) + "\r\n");
        TransferMeter &meter = f.engine->meter();
        QVERIFY(!meter.isOpen());
        meter.OpenMeter("Autobin receiving a.zip", 1000);
        QVERIFY(meter.isOpen());
        QCOMPARE(meter.caption(), QString("Autobin receiving a.zip"));
        QCOMPARE(meter.maximum(), 1000);
        QCOMPARE(meter.sizeText(), texts[0]);
        QCOMPARE(meter.speedText(), texts[1]);
        meter.StepMeter(300);
        QCOMPARE(meter.position(), 300);
        QCOMPARE(meter.sizeText(), texts[2]);
        f.clock.advance(500);
        QCOMPARE(meter.speedText(), texts[3]);
        f.clock.advance(500);
        QCOMPARE(meter.speedText(), texts[4]);
        meter.CloseMeter();
        QVERIFY(!meter.isOpen());
        f.clock.advance(5000);
        QCOMPARE(meter.speedText(), texts[4]);
    }

    void reopenedMeterStartsAgain() {
        ChannelFixture f("kieli=1\r\n");
        TransferMeter &meter = f.engine->meter();
        meter.OpenMeter("first", 100);
        meter.StepMeter(100);
        f.clock.advance(1000);
        meter.CloseMeter();
        meter.OpenMeter("second", 50);
        QCOMPARE(meter.position(), 0);
        QCOMPARE(meter.speedText(), QString("speed 0 cps"));
        meter.StepMeter(10);
        f.clock.advance(500);
        QCOMPARE(meter.speedText(), QString("speed 20 cps"));
    }

    void taukoSendsACarriageReturnEachTime() {
        ChannelFixture f({}, {}, 4);
        f.engine->tauko().start(1000);
        f.clock.advance(2500);
        QCOMPARE(f.send.texts, (QByteArrayList{"\r", "\r"}));
        QCOMPARE(f.send.channels, (QList<int>{4, 4}));
        f.engine->tauko().stop();
        f.clock.advance(2000);
        QCOMPARE(f.send.texts.size(), 2);
    }
};

QTEST_GUILESS_MAIN(QsoChannelTest)
#include "test_qsochannel.moc"
