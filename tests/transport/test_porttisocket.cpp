#include "FakeClock.h"
#include "FakeSeams.h"
#include "transport/tporttisocket.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using krx::Language;
using krx::tporttisocket;
using krx::test::FakeClock;
using krx::test::ScriptedPrompter;

namespace {

constexpr int Cycle = 20;       // `valiaika` on the main window
constexpr int Poll = Cycle / 2; // two polls per cycle

// What the emulator side has received, gathered until `size` bytes or a bounded wait ends.
QByteArray readFrom(QTcpSocket *peer, qsizetype size) {
    QByteArray gathered;
    const QDeadlineTimer deadline(5000);
    while (gathered.size() < size && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        gathered += peer->readAll();
    }
    return gathered;
}

void processEventsForAWhile() {
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

QStringList textsOf(const ScriptedPrompter &prompter) {
    QStringList texts;
    for (const auto &shown : prompter.shown)
        texts << shown.text;
    return texts;
}

// A transport pointed at a local stand-in for the emulator.
struct Link {
    Link() : transport(clock, prompter) {
        server.listen(QHostAddress::LocalHost);
        transport.setServerPort(server.serverPort());
        transport.valiaika = Cycle;
        client = transport.findChild<QTcpSocket *>();
    }
    // Activates the transport and accepts its connection; null when it never came.
    QTcpSocket *connect() {
        transport.SetActive(true);
        if (!server.waitForNewConnection(5000))
            return nullptr;
        QTcpSocket *peer = server.nextPendingConnection();
        const QDeadlineTimer deadline(5000);
        while (!transport.isActive() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return transport.isActive() ? peer : nullptr;
    }
    // Waits until the emulator's bytes have reached the transport's client.
    bool emulatorSends(QTcpSocket *peer, const QByteArray &bytes) {
        const qint64 before = client->bytesAvailable();
        peer->write(bytes);
        const QDeadlineTimer deadline(5000);
        while (client->bytesAvailable() < before + bytes.size() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return client->bytesAvailable() == before + bytes.size();
    }

    FakeClock clock;
    ScriptedPrompter prompter;
    QTcpServer server;
    tporttisocket transport;
    QTcpSocket *client = nullptr;
};

void addLanguageRows(const char *finnish, const char *english) {
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("Finnish") << Language::Finnish << QString::fromUtf8(finnish);
    QTest::newRow("English") << Language::English << QString::fromUtf8(english);
}

} // namespace

class TestPorttiSocket : public QObject {
    Q_OBJECT
private slots:
    void addressesTheLocalEmulatorByDefault();
    void framesGivenBeforeTheConnectionAreSentOnceConnected();
    void bytesAreHandedOnOnlyAtThePoll();
    void twoPollsWithoutTakingDeliverBothReads();
    void refusedConnectionIsReported_data();
    void refusedConnectionIsReported();
    void closeByTheEmulatorIsReported_data();
    void closeByTheEmulatorIsReported();
    void brokenConnectionIsReported_data();
    void brokenConnectionIsReported();
    void deactivationIsSilentAndReactivationConnectsAgain();
    void deactivationWhileConnectingDropsHeldFrames();
    void activatingAgainKeepsTheConnection();
    void closeNoticedJustBeforeReconnectingDoesNotSpoilTheNewConnection();
    void connectionReportOfAnAbandonedAttemptIsIgnored();
    void frameGivenAfterTheCloseIsSeenIsDroppedQuietly();
};

void TestPorttiSocket::addressesTheLocalEmulatorByDefault() {
    FakeClock clock;
    ScriptedPrompter prompter;
    tporttisocket transport(clock, prompter);
    QCOMPARE(transport.serverAddress(), QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(transport.serverPort(), quint16(7001));
    QVERIFY(!transport.isActive());
}

void TestPorttiSocket::framesGivenBeforeTheConnectionAreSentOnceConnected() {
    Link link;
    const QByteArray enterHostMode("\x18\x1bjhost1\r");
    const QByteArray command("\x00\x01\x01@B", 5);
    link.transport.SetActive(true);
    QVERIFY(!link.transport.isActive());
    link.transport.SendFrame(enterHostMode);
    link.transport.SendFrame(command);

    QVERIFY(link.server.waitForNewConnection(5000));
    QTcpSocket *peer = link.server.nextPendingConnection();
    QCOMPARE(readFrom(peer, enterHostMode.size() + command.size()), enterHostMode + command);
    QVERIFY(link.transport.isActive());
    QVERIFY(link.prompter.shown.empty());
}

void TestPorttiSocket::bytesAreHandedOnOnlyAtThePoll() {
    Link link;
    QTcpSocket *peer = link.connect();
    QVERIFY(peer);
    QSignalSpy arrived(&link.transport, &tporttisocket::tulleet_merkit);
    link.clock.advance(Poll); // in step with the polls

    QVERIFY(link.emulatorSends(peer, "* JHOST1\r\n"));
    processEventsForAWhile();
    QCOMPARE(arrived.count(), 0);
    link.clock.advance(Poll - 1);
    QCOMPARE(arrived.count(), 0);
    link.clock.advance(1);
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(link.transport.TakeResponse(), QByteArray("* JHOST1\r\n"));
    QCOMPARE(link.transport.TakeResponse(), QByteArray());

    link.clock.advance(Cycle);
    QCOMPARE(arrived.count(), 1); // nothing new, no event
}

void TestPorttiSocket::twoPollsWithoutTakingDeliverBothReads() {
    Link link;
    QTcpSocket *peer = link.connect();
    QVERIFY(peer);
    QSignalSpy arrived(&link.transport, &tporttisocket::tulleet_merkit);

    QVERIFY(link.emulatorSends(peer, "first "));
    link.clock.advance(Poll);
    QVERIFY(link.emulatorSends(peer, "second"));
    link.clock.advance(Poll);

    QCOMPARE(arrived.count(), 2);
    QCOMPARE(link.transport.TakeResponse(), QByteArray("first second"));
}

void TestPorttiSocket::refusedConnectionIsReported_data() {
    addLanguageRows("Yhteyttä VIOLA:lle ei saa muodostettua\r\nWinSock Interface pitää olla "
                    "valittuna AGW:n popupmenusta",
                    "Winsocket to VIOLA could not be opened\r\nWinSock Interface should be "
                    "selected from AGW popupmenu");
}

void TestPorttiSocket::refusedConnectionIsReported() {
    QFETCH(Language, language);
    QFETCH(QString, text);
    Link link;
    link.server.close(); // nobody listens on its port any more
    link.transport.setLanguage(language);
    link.transport.SetActive(true);
    link.transport.SendFrame("held");

    QTRY_COMPARE(textsOf(link.prompter), QStringList{text});
    QVERIFY(!link.transport.isActive());

    // Inactive now: a new activation tries again.
    link.transport.SetActive(true);
    QTRY_COMPARE(link.prompter.shown.size(), size_t(2));
    QVERIFY(!link.transport.isActive());
}

void TestPorttiSocket::closeByTheEmulatorIsReported_data() {
    addLanguageRows("Yhteys VIOLA:lle on katkennut", "Winsocket to VIOLA has been closed ");
}

void TestPorttiSocket::closeByTheEmulatorIsReported() {
    QFETCH(Language, language);
    QFETCH(QString, text);
    Link link;
    link.transport.setLanguage(language);
    QTcpSocket *peer = link.connect();
    QVERIFY(peer);
    QSignalSpy arrived(&link.transport, &tporttisocket::tulleet_merkit);
    bool activeWhileHandling = true;
    connect(&link.transport, &tporttisocket::tulleet_merkit,
            [&] { activeWhileHandling = link.transport.isActive(); });

    peer->write("last words");
    peer->disconnectFromHost();

    QTRY_COMPARE(textsOf(link.prompter), QStringList{text});
    QVERIFY(!link.transport.isActive());
    // The bytes sent before the close are not lost.
    QCOMPARE(arrived.count(), 1);
    QVERIFY(!activeWhileHandling);
    QCOMPARE(link.transport.TakeResponse(), QByteArray("last words"));

    link.transport.SendFrame("dropped");
    link.clock.advance(Cycle);
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(link.prompter.shown.size(), size_t(1));
}

void TestPorttiSocket::brokenConnectionIsReported_data() {
    addLanguageRows("Yhteys VIOLA:lle katkennut jostain syystä",
                    "Winsocket to VIOLA disconnected for some reason");
}

void TestPorttiSocket::brokenConnectionIsReported() {
    QFETCH(Language, language);
    QFETCH(QString, text);
    Link link;
    link.transport.setLanguage(language);
    QTcpSocket *peer = link.connect();
    QVERIFY(peer);

    // The client reports a network failure, as a send into a broken route ends.
    emit link.client->errorOccurred(QAbstractSocket::NetworkError);

    QTRY_COMPARE(textsOf(link.prompter), QStringList{text});
    QVERIFY(!link.transport.isActive());
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
}

void TestPorttiSocket::deactivationIsSilentAndReactivationConnectsAgain() {
    Link link;
    QTcpSocket *first = link.connect();
    QVERIFY(first);
    QVERIFY(link.emulatorSends(first, "old"));
    link.clock.advance(Cycle); // delivered, never taken

    link.transport.SetActive(false);
    QVERIFY(!link.transport.isActive());
    QTRY_COMPARE(first->state(), QAbstractSocket::UnconnectedState);
    link.transport.SendFrame("dropped");
    processEventsForAWhile();
    QVERIFY(link.prompter.shown.empty());

    QTcpSocket *second = link.connect();
    QVERIFY(second);
    link.transport.SendFrame("again");
    QCOMPARE(readFrom(second, 5), QByteArray("again"));
    QVERIFY(link.emulatorSends(second, "ok"));
    link.clock.advance(Cycle);
    QCOMPARE(link.transport.TakeResponse(), QByteArray("ok"));
    QVERIFY(link.prompter.shown.empty());
}

void TestPorttiSocket::deactivationWhileConnectingDropsHeldFrames() {
    Link link;
    link.transport.SetActive(true);
    link.transport.SendFrame("stale");
    link.transport.SetActive(false);
    processEventsForAWhile();
    QVERIFY(!link.transport.isActive());
    QVERIFY(link.prompter.shown.empty());
    while (link.server.hasPendingConnections()) // the abandoned attempt, if it got through
        delete link.server.nextPendingConnection();

    QTcpSocket *peer = link.connect();
    QVERIFY(peer);
    link.transport.SendFrame("fresh");
    QCOMPARE(readFrom(peer, 5), QByteArray("fresh"));
}

void TestPorttiSocket::activatingAgainKeepsTheConnection() {
    Link link;
    QTcpSocket *peer = link.connect();
    QVERIFY(peer);

    link.transport.SetActive(true);
    processEventsForAWhile();
    QVERIFY(link.transport.isActive());
    QVERIFY(!link.server.hasPendingConnections());
    link.transport.SendFrame("still");
    QCOMPARE(readFrom(peer, 5), QByteArray("still"));
}

void TestPorttiSocket::closeNoticedJustBeforeReconnectingDoesNotSpoilTheNewConnection() {
    Link link;
    QTcpSocket *first = link.connect();
    QVERIFY(first);
    first->disconnectFromHost();
    // The client notices the close, but its reports are still queued for the transport.
    QVERIFY(link.client->waitForDisconnected(5000));

    link.transport.SetActive(false);
    QTcpSocket *second = link.connect();
    QVERIFY(second);
    processEventsForAWhile();
    QVERIFY(link.transport.isActive());
    QVERIFY(link.prompter.shown.empty());
}

void TestPorttiSocket::connectionReportOfAnAbandonedAttemptIsIgnored() {
    Link link;
    link.transport.SetActive(true);
    // Connected, but the report is still queued for the transport when it is restarted.
    QVERIFY(link.client->waitForConnected(5000));
    link.transport.SetActive(false);
    link.transport.SetActive(true);

    QCoreApplication::sendPostedEvents(&link.transport);
    QVERIFY(!link.transport.isActive()); // the new attempt has not connected yet
    QTRY_VERIFY(link.transport.isActive());
}

void TestPorttiSocket::frameGivenAfterTheCloseIsSeenIsDroppedQuietly() {
    Link link;
    QTcpSocket *peer = link.connect();
    QVERIFY(peer);
    peer->disconnectFromHost();
    QVERIFY(link.client->waitForDisconnected(5000));
    link.transport.SendFrame("late");

    QTRY_COMPARE(textsOf(link.prompter), QStringList{"Yhteys VIOLA:lle on katkennut"});
    processEventsForAWhile();
    QCOMPARE(link.prompter.shown.size(), size_t(1));
    QVERIFY(!link.transport.isActive());
}

QTEST_GUILESS_MAIN(TestPorttiSocket)
#include "test_porttisocket.moc"
