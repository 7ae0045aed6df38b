#include "ChannelFixture.h"

#include <QtTest>

using namespace krx;
using test::ChannelFixture;

namespace {

const char *nameOf(ProcedureFamily family) {
    static const char *names[] = {"compressed fetch", "compressed send", "plain fetch",
                                  "plain send",       "autobin rx mbx",  "autobin tx mbx",
                                  "autobin rx term",  "autobin tx term", "list fetch",
                                  "raw file send",    "connect wait",    "sysop login"};
    return names[static_cast<int>(family)];
}

// Writes every call into a log shared by the whole test.
class LoggingHandler final : public ProcedureHandler {
public:
    LoggingHandler(ProcedureFamily family, QStringList &log) : family_(family), log_(log) {}
    void handleResponse(const HostResponse &response) override {
        log_ << QString("%1 %2").arg(nameOf(family_)).arg(response.code);
    }
    void linkLost() override { log_ << QString("%1 lost").arg(nameOf(family_)); }

private:
    ProcedureFamily family_;
    QStringList &log_;
};

struct ReceivingTransfers final : RawFileTransfers {
    bool isReceiving() const override { return true; }
    void receive(const QByteArray &bytes) override { received << bytes; }
    void endTransfers() override {}
    QByteArrayList received;
};

class Fixture : public ChannelFixture {
public:
    Fixture() {
        engine->setScriptStep(
            [this](const HostResponse &r) { log << QString("script %1").arg(r.code); });
        engine->setRemoteCommandCheck(
            [this](const HostResponse &r) { log << QString("remote %1").arg(r.code); });
    }

    void run(ProcedureFamily family) {
        engine->procedures().registerHandler(family, std::make_unique<LoggingHandler>(family, log));
        engine->procedures().setRunning(family, true);
    }

    QStringList log;
};

} // namespace

class ProcessResponseTest : public QObject {
    Q_OBJECT

private slots:
    void handlersRunInTheirFixedOrder() {
        Fixture f;
        f.setLinkState(LinkState::Connected);
        f.engine->procedureState().scriptActive = true;
        f.engine->procedureState().Procedure = 38;
        // Registered out of order on purpose.
        for (const ProcedureFamily family :
             {ProcedureFamily::SysopLoginWait, ProcedureFamily::ListFetch,
              ProcedureFamily::CompressedFetch, ProcedureFamily::PlainSend,
              ProcedureFamily::AutobinSendTerminal, ProcedureFamily::RawFileSend})
            f.run(family);
        f.response(7, "QQ2BBS>\r");
        QCOMPARE(f.log,
                 (QStringList{"script 7", "compressed fetch 7", "plain send 7", "autobin tx term 7",
                              "list fetch 7", "raw file send 7", "sysop login 7"}));
    }

    void remoteCommandsOnlyWithoutAProcedure_data() {
        QTest::addColumn<int>("procedure");
        QTest::addColumn<bool>("script");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("idle channel") << 0 << false << QStringList{"remote 7"};
        QTest::newRow("procedure running") << 4 << false << QStringList{};
        QTest::newRow("script without a procedure code")
            << 0 << true << QStringList{"script 7", "remote 7"};
    }
    void remoteCommandsOnlyWithoutAProcedure() {
        QFETCH(int, procedure);
        QFETCH(bool, script);
        QFETCH(QStringList, log);
        Fixture f;
        f.engine->procedureState().Procedure = procedure;
        f.engine->procedureState().scriptActive = script;
        f.response(7, "//bell\r");
        QCOMPARE(f.log, log);
    }

    void aStoppedFamilyIsNotCalled() {
        Fixture f;
        f.engine->procedureState().Procedure = 2;
        f.run(ProcedureFamily::ListFetch);
        f.engine->procedures().setRunning(ProcedureFamily::ListFetch, false);
        f.response(7, "x\r");
        QVERIFY(f.log.isEmpty());
    }

    void linkLossEndsTheRunningProcedures_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ended");
        QTest::newRow("DISCONNECTED") << 3 << QByteArray("(1) DISCONNECTED fm QQ2BBS\r") << true;
        QTest::newRow("LINK FAILURE") << 3 << QByteArray("(1) LINK FAILURE with QQ2BBS\r") << true;
        QTest::newRow("BUSY") << 3 << QByteArray("(1) BUSY fm QQ2BBS\r") << true;
        QTest::newRow("CONNECTED") << 3 << QByteArray("(1) CONNECTED to QQ2BBS\r") << false;
        QTest::newRow("received text") << 7 << QByteArray("DISCONNECTED\r") << false;
    }
    void linkLossEndsTheRunningProcedures() {
        QFETCH(int, code);
        QFETCH(QByteArray, text);
        QFETCH(bool, ended);
        Fixture f;
        f.setLinkState(LinkState::Connected);
        f.engine->channelState().connect_initiated_here = true;
        f.engine->procedureState().Procedure = 5;
        f.run(ProcedureFamily::PlainFetch);
        f.run(ProcedureFamily::ConnectWait);
        f.response(code, text);
        const QString c = QString::number(code);
        const QStringList expected =
            ended ? QStringList{"plain fetch lost", "connect wait lost", "remote 3"}
                  : QStringList{"plain fetch " + c, "connect wait " + c};
        QCOMPARE(f.log, expected);
        QCOMPARE(f.engine->procedureState().Procedure, ended ? 0 : 5);
        QCOMPARE(f.engine->procedures().isRunning(ProcedureFamily::PlainFetch), !ended);
        QCOMPARE(f.engine->procedures().isRunning(ProcedureFamily::ConnectWait), !ended);
        if (ended)
            QCOMPARE(f.engine->linkState(), LinkState::Disconnected);
    }

    void keepsACopyOfTheLastRecord() {
        Fixture f;
        f.response(7, "hello");
        f.response(3, "(1) BUSY fm QQ2BBS\r");
        QCOMPARE(f.engine->lastRecord().code, 3);
        QCOMPARE(f.engine->lastRecord().text, QByteArray("(1) BUSY fm QQ2BBS\r"));
        QCOMPARE(f.engine->lastRecord().channel, 1);
    }

    void receivingToAFileTakesTheDataBytesOfEveryRecord() {
        Fixture f;
        ReceivingTransfers transfers;
        f.engine->setRawFileTransfers(&transfers);
        f.response(7, QByteArray("\x00\x01\r\n", 4));
        f.response(3, "(1) LINK RESET fm QQ2BBS\r");
        f.response(0, {});
        QCOMPARE(transfers.received,
                 (QByteArrayList{QByteArray("\x00\x01\r\n", 4), "(1) LINK RESET fm QQ2BBS"}));
    }
};

QTEST_GUILESS_MAIN(ProcessResponseTest)
#include "test_processresponse.moc"
