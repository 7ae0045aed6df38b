#include "monitor/MonitorHeader.h"

#include <QtTest>

using krx::MonitorHeader;

class MonitorHeaderTest : public QObject {
    Q_OBJECT

private slots:
    void recognisesBroadcasts_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("mailbox");
        QTest::addColumn<bool>("nodes");

        // The TNC's own style, as captured from real firmware (with the CR the link adds).
        QTest::newRow("mailbox UI without mark")
            << QByteArray("fm QQ2BBS to FBB ctl UI pid F0 - 00/00/00 00:00:12\r") << true << false;
        QTest::newRow("mailbox UI command")
            << QByteArray("fm QQ2BBS to FBB ctl UI^ pid F0\r") << true << false;
        QTest::newRow("mailbox UI response")
            << QByteArray("fm QQ2BBS to FBB ctl UIv pid F0\r") << true << false;
        QTest::newRow("mailbox UI with poll, no pid")
            << QByteArray("fm QQ2BBS to FBB ctl UI+\r") << true << false;
        QTest::newRow("mailbox I frame")
            << QByteArray("fm QQ2BBS to FBB ctl I00^ pid F0\r") << false << false;
        QTest::newRow("mailbox UA") << QByteArray("fm QQ2BBS to FBB ctl UA-\r") << false << false;
        QTest::newRow("another mailbox")
            << QByteArray("fm QQ9BBS to FBB ctl UI pid F0\r") << false << false;
        QTest::newRow("own mailbox with an SSID")
            << QByteArray("fm QQ2BBS-1 to FBB ctl UI pid F0\r") << false << false;
        QTest::newRow("to another destination")
            << QByteArray("fm QQ2BBS to CQ ctl UI pid F0\r") << false << false;
        QTest::newRow("case matters")
            << QByteArray("FM QQ2BBS TO FBB CTL UI PID F0\r") << false << false;
        QTest::newRow("styles do not mix")
            << QByteArray("fm QQ2BBS to FBB <UI pid=F0 Len=48 >\r") << false << false;
        // The AGWPE style.
        QTest::newRow("AGWPE mailbox UI")
            << QByteArray("1:Fm QQ2BBS To FBB <UI pid=F0 Len=48 >[12:00:00]\r") << true << false;
        QTest::newRow("AGWPE mailbox UI command")
            << QByteArray("1:Fm QQ2BBS To FBB <UI C pid=F0 Len=48 >[12:00:00]\r") << true << false;
        QTest::newRow("AGWPE mailbox I frame")
            << QByteArray("1:Fm QQ2BBS To FBB <I R0 S1 pid=F0 Len=48 >[12:00:00]\r") << false
            << false;

        QTest::newRow("nodes UI command")
            << QByteArray("fm QQ3NOD to NODES ctl UI^ pid CF\r") << false << true;
        QTest::newRow("nodes UI without mark")
            << QByteArray("fm QQ3NOD-7 to NODES ctl UI pid CF - 00/00/00 00:05:00\r") << false
            << true;
        QTest::newRow("nodes with the text pid")
            << QByteArray("fm QQ3NOD to NODES ctl UI^ pid F0\r") << false << false;
        QTest::newRow("nodes I frame")
            << QByteArray("fm QQ3NOD to NODES ctl I00^ pid CF\r") << false << false;
        QTest::newRow("longer destination")
            << QByteArray("fm QQ3NOD to NODESX ctl UI pid CF\r") << false << false;
        QTest::newRow("AGWPE nodes")
            << QByteArray("1:Fm QQ3NOD To NODES <UI pid=CF Len=28 >[12:00:00]\r") << false << true;
        QTest::newRow("AGWPE nodes with another pid")
            << QByteArray("1:Fm QQ3NOD To NODES <UI pid=F0 Len=28 >[12:00:00]\r") << false << false;
    }

    void recognisesBroadcasts() {
        QFETCH(QByteArray, header);
        QFETCH(bool, mailbox);
        QFETCH(bool, nodes);
        QCOMPARE(MonitorHeader::isMailboxBroadcast(header, "QQ2BBS"), mailbox);
        QCOMPARE(MonitorHeader::isNodesBroadcast(header), nodes);
    }
};

QTEST_APPLESS_MAIN(MonitorHeaderTest)
#include "test_monitorheader.moc"
