#include "transport/Twa8ded.h"

#include <QtTest>
#include <initializer_list>

using krx::HostResponse;
using krx::PollKind;
using krx::ReplyKind;
using krx::Twa8ded;

namespace {

using Feed = HostResponse (Twa8ded::*)(QByteArrayView);

QByteArray raw(std::initializer_list<int> values) {
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

QByteArray textResponse(int channel, int code, const QByteArray &text) {
    return raw({channel, code}) + text + raw({0});
}

QByteArray dataResponse(int channel, int code, const QByteArray &data) {
    return raw({channel, code, int(data.size()) - 1}) + data;
}

QByteArray describe(const HostResponse &response) {
    return QByteArray::number(response.channel) + ' ' + QByteArray::number(response.code) + ' ' +
           QByteArray::number(response.length) + " [" + response.text.toPercentEncoding() + ']';
}

QByteArray describe(int channel, int code, int length, const QByteArray &text) {
    HostResponse response;
    response.channel = channel;
    response.code = code;
    response.length = length;
    response.text = text;
    return describe(response);
}

const QByteArray Incomplete = describe(0, 0, HostResponse::Incomplete, {});
const QByteArray Rejected = describe(0, 0, HostResponse::Rejected, {});

// The stream whole, cut in two at every position, and one byte at a time.
QList<QByteArrayList> everyChunking(const QByteArray &stream) {
    QList<QByteArrayList> chunkings{{stream}};
    for (qsizetype cut = 1; cut < stream.size(); ++cut)
        chunkings.append({stream.first(cut), stream.sliced(cut)});
    QByteArrayList single;
    for (const char byte : stream)
        single.append(QByteArray(1, byte));
    chunkings.append(single);
    return chunkings;
}

QByteArray sizesOf(const QByteArrayList &chunks) {
    QByteArrayList sizes;
    for (const QByteArray &chunk : chunks)
        sizes.append(QByteArray::number(chunk.size()));
    return sizes.join('+') + ": ";
}

// Feeds each chunking to a fresh link: every chunk but the last leaves the response
// incomplete and the last one gives `expected`, with `errors` protocol errors counted.
void checkEveryChunking(Feed feed, const QByteArray &stream, const QByteArray &expected,
                        int errors) {
    for (const QByteArrayList &chunks : everyChunking(stream)) {
        Twa8ded link;
        const QByteArray label = sizesOf(chunks);
        for (qsizetype i = 0; i + 1 < chunks.size(); ++i)
            QCOMPARE(label + describe((link.*feed)(chunks[i])), label + Incomplete);
        QCOMPARE(label + describe((link.*feed)(chunks.last())), label + expected);
        QCOMPARE(link.protocolErrors(), errors);
    }
}

// "G1", "L0", "@B" from the frame bytes; the poll kind must agree with the frame.
QByteArray pollName(const Twa8ded::Poll &poll) {
    if (poll.frame == raw({0, 1, 1}) + "@B")
        return poll.kind == PollKind::BufferQuery ? "@B" : "@B with a wrong kind";
    if (poll.frame.size() != 4 || poll.frame.mid(1, 2) != raw({1, 0}))
        return "bad frame " + poll.frame.toHex();
    const char letter = poll.frame[3];
    const bool kindFits = (letter == 'G' && poll.kind == PollKind::Data) ||
                          (letter == 'L' && poll.kind == PollKind::Status);
    return kindFits ? letter + QByteArray::number(poll.frame[0])
                    : "wrong kind " + poll.frame.toHex();
}

// Runs `count` polls, each answered the way a quiet TNC answers it.
QByteArrayList runPolls(Twa8ded &link, int count) {
    QByteArrayList names;
    int code = 0;
    for (int i = 0; i < count; ++i) {
        const Twa8ded::Poll poll = link.NextPoll(code);
        names.append(pollName(poll));
        link.setExpectedKind(poll.expectedKind());
        const QByteArray answer = poll.kind == PollKind::BufferQuery ? textResponse(0, 1, "8192")
                                                                     : raw({int(poll.frame[0]), 0});
        const HostResponse response = link.AddResponseBytes(answer);
        if (!response.isComplete())
            return names << "answer not complete";
        code = response.code;
    }
    return names;
}

} // namespace

class Wa8dedTest : public QObject {
    Q_OBJECT

private slots:
    void buildsFrames_data() {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("command c on channel 3")
            << Twa8ded::CommandFrame(3, "c") << raw({3, 1, 0}) + "c";
        QTest::newRow("command ends at zero")
            << Twa8ded::CommandFrame(0, QByteArray("T 5\0junk", 8)) << raw({0, 1, 2}) + "T 5";
        QTest::newRow("longest command") << Twa8ded::CommandFrame(9, QByteArray(256, 'x'))
                                         << raw({9, 1, 255}) + QByteArray(256, 'x');
        QTest::newRow("data poll") << Twa8ded::DataPollFrame(2) << raw({2, 1, 0}) + "G";
        QTest::newRow("status poll") << Twa8ded::StatusPollFrame(10) << raw({10, 1, 0}) + "L";
        QTest::newRow("buffer query") << Twa8ded::BufferQueryFrame() << raw({0, 1, 1}) + "@B";
        QTest::newRow("enter host mode")
            << Twa8ded::EnterHostModeFrame() << raw({24, 27}) + "jhost1\r";
        QTest::newRow("leave host mode")
            << Twa8ded::LeaveHostModeFrame() << raw({0, 1, 5}) + "jhost0";
    }
    void buildsFrames() {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        QCOMPARE(frame.toHex(' '), expected.toHex(' '));
    }

    void refusesCommandsThatCannotBeFramed_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("empty before zero") << QByteArray("\0c", 2);
        QTest::newRow("257 characters") << QByteArray(257, 'x');
    }
    void refusesCommandsThatCannotBeFramed() {
        QFETCH(QByteArray, command);
        QCOMPARE(Twa8ded::CommandFrame(1, command), QByteArray());
    }

    void splitsInformationIntoFrames_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("frames");
        QTest::newRow("nothing") << 0 << 0;
        QTest::newRow("one byte") << 1 << 1;
        QTest::newRow("one full frame") << 256 << 1;
        QTest::newRow("one byte over") << 257 << 2;
        QTest::newRow("three frames") << 600 << 3;
    }
    void splitsInformationIntoFrames() {
        QFETCH(int, size);
        QFETCH(int, frames);
        QByteArray data;
        for (int i = 0; i < size; ++i)
            data.append(char(i * 7)); // every byte value, zeros included
        const QByteArrayList built = Twa8ded::InformationFrames(4, data);
        QCOMPARE(built.size(), frames);
        QByteArray payloads;
        for (const QByteArray &frame : built) {
            QVERIFY(frame.size() >= 4 && frame.size() <= 259);
            QCOMPARE(frame.first(3), raw({4, 0, int(frame.size()) - 4}));
            payloads += frame.sliced(3);
        }
        QCOMPARE(payloads, data);
    }

    void informationFromTextEndsAtZero() {
        const QByteArrayList frames =
            Twa8ded::InformationFramesFromText(1, QByteArray("hello\0world", 11));
        QCOMPARE(frames, QByteArrayList{raw({1, 0, 4}) + "hello"});
    }

    void assemblesResponsesInEveryChunking_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("errors");
        const QByteArray monitored = "Hello from node\r";
        const QByteArray withZeros = raw({0, 13, 0}) + "x";
        QByteArray everyValue;
        for (int i = 0; i < 256; ++i)
            everyValue.append(char(i));
        QTest::newRow("connected information")
            << raw({1, 7, 3}) + "abcd" << describe(1, 7, 4, "abcd") << 0;
        QTest::newRow("success with text")
            << textResponse(0, 1, "510") << describe(0, 1, 3, "510\r") << 0;
        QTest::newRow("success") << raw({2, 0}) << describe(2, 0, 0, {}) << 0;
        QTest::newRow("text not ended yet") << raw({0, 1}) + "51" << Incomplete << 0;
        QTest::newRow("empty text") << textResponse(5, 1, {}) << describe(5, 1, 0, "\r") << 0;
        QTest::newRow("error message") << textResponse(0, 2, "INVALID COMMAND: Q")
                                       << describe(0, 2, 18, "INVALID COMMAND: Q\r") << 0;
        QTest::newRow("link status") << textResponse(1, 3, "(1) CONNECTED to QQ3NOD")
                                     << describe(1, 3, 23, "(1) CONNECTED to QQ3NOD\r") << 0;
        QTest::newRow("monitor header") << textResponse(0, 4, "fm QQ3NOD to QQ1ZZZ ctl UA-")
                                        << describe(0, 4, 27, "fm QQ3NOD to QQ1ZZZ ctl UA-\r") << 0;
        QTest::newRow("monitor header, information follows")
            << textResponse(0, 5, "fm QQ2BBS to FBB ctl UI pid F0")
            << describe(0, 5, 30, "fm QQ2BBS to FBB ctl UI pid F0\r") << 0;
        QTest::newRow("monitored information")
            << dataResponse(0, 6, monitored) << describe(0, 6, 16, monitored) << 0;
        QTest::newRow("information with zero bytes")
            << dataResponse(2, 7, withZeros) << describe(2, 7, 4, withZeros) << 0;
        QTest::newRow("one byte of information")
            << dataResponse(4, 7, "z") << describe(4, 7, 1, "z") << 0;
        QTest::newRow("largest information")
            << dataResponse(10, 7, everyValue) << describe(10, 7, 256, everyValue) << 0;
        QTest::newRow("text cut to the record")
            << textResponse(0, 1, QByteArray(400, 'a'))
            << describe(0, 1, 299, QByteArray(299, 'a') + '\r') << 0;
        QTest::newRow("longest text") << textResponse(3, 3, QByteArray(1021, 'b'))
                                      << describe(3, 3, 299, QByteArray(299, 'b') + '\r') << 0;
        QTest::newRow("code byte 8") << raw({1, 8}) << Rejected << 1;
        QTest::newRow("code byte 255") << raw({3, 255}) << Rejected << 1;
        QTest::newRow("text without end") << raw({0, 1}) + QByteArray(1022, 'c') << Rejected << 1;
    }
    void assemblesResponsesInEveryChunking() {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, expected);
        QFETCH(int, errors);
        checkEveryChunking(&Twa8ded::AddResponseBytes, stream, expected, errors);
    }

    void recordCarriesExpectedKind() {
        Twa8ded link;
        link.setExpectedKind(ReplyKind::ConnectionStatus);
        const HostResponse response =
            link.AddResponseBytes(textResponse(3, 1, "CHANNEL NOT CONNECTED"));
        QVERIFY(response.isComplete());
        QCOMPARE(response.kind, ReplyKind::ConnectionStatus);
    }

    void dropsBytesAfterTheResponse() {
        Twa8ded link;
        QCOMPARE(describe(link.AddResponseBytes(raw({2, 0, 3, 1}) + "x")), describe(2, 0, 0, {}));
        QCOMPARE(describe(link.AddResponseBytes(raw({4, 0}))), describe(4, 0, 0, {}));
        QCOMPARE(link.protocolErrors(), 0);
    }

    void rejectedCodeDropsTheChunkAndPollingGoesOn() {
        Twa8ded link;
        link.set_kanavien_maara(2);
        QCOMPARE(describe(link.AddResponseBytes(raw({2, 9}) + "xy" + raw({2, 0}))), Rejected);
        QCOMPARE(link.protocolErrors(), 1);
        // The rejected response counts as channel 0, so channel 1 follows (not "@B" after 2).
        QCOMPARE(pollName(link.NextPoll(0)), QByteArray("L1"));
        QCOMPARE(describe(link.AddResponseBytes(raw({1, 0}))), describe(1, 0, 0, {}));
    }

    // The rest of an overlong text is dropped up to its zero byte, wherever it arrives, so the
    // answer to the poll sent after the error is read correctly.
    void overlongTextIsDroppedWithItsRest_data() {
        QTest::addColumn<QByteArrayList>("chunks");
        const QByteArray overflow = raw({0, 1}) + QByteArray(1022, 'c');
        const QByteArray rest = "dd" + raw({0});
        const QByteArray answer = raw({2, 0});
        QTest::newRow("rest in the same chunk")
            << QByteArrayList{overflow + rest + raw({5, 0}), answer};
        QTest::newRow("rest before the answer") << QByteArrayList{overflow, rest + answer};
        QTest::newRow("rest alone") << QByteArrayList{overflow, rest, answer};
        QTest::newRow("only the zero") << QByteArrayList{overflow, raw({0}) + answer};
    }
    void overlongTextIsDroppedWithItsRest() {
        QFETCH(QByteArrayList, chunks);
        Twa8ded link;
        QCOMPARE(describe(link.AddResponseBytes(chunks.first())), Rejected);
        for (qsizetype i = 1; i + 1 < chunks.size(); ++i)
            QCOMPARE(describe(link.AddResponseBytes(chunks[i])), Incomplete);
        QCOMPARE(describe(link.AddResponseBytes(chunks.last())), describe(2, 0, 0, {}));
        QCOMPARE(link.protocolErrors(), 1);
    }

    void assemblesInitAnswersInEveryChunking_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("errors");
        QTest::newRow("success") << raw({0, 0}) << describe(0, 0, 0, {}) << 0;
        QTest::newRow("text ends at its zero")
            << textResponse(0, 1, "10 (0)") << describe(0, 1, 6, "10 (0)\r") << 0;
        QTest::newRow("error text whole") << textResponse(0, 2, "INVALID COMMAND: X")
                                          << describe(0, 2, 18, "INVALID COMMAND: X\r") << 0;
        QTest::newRow("text not ended yet") << raw({0, 1}) + "30" << Incomplete << 0;
        QTest::newRow("stray bytes before the answer")
            << raw({7}) + "x" + raw({0, 9, 0, 0}) << describe(0, 0, 0, {}) << 2;
        QTest::newRow("other channel") << raw({1, 0}) << Incomplete << 1;
        QTest::newRow("code not an init answer") << dataResponse(0, 6, "ab") << Incomplete << 1;
        QTest::newRow("text without end") << raw({0, 1}) + QByteArray(1030, 'c') << Incomplete << 1;
    }
    void assemblesInitAnswersInEveryChunking() {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, expected);
        QFETCH(int, errors);
        checkEveryChunking(&Twa8ded::AddInitBytes, stream, expected, errors);
    }

    void initTextDoesNotSpillIntoTheNextAnswer() {
        Twa8ded link;
        QCOMPARE(describe(link.AddInitBytes(raw({0, 1}))), Incomplete);
        QCOMPARE(describe(link.AddInitBytes("30" + raw({0}))), describe(0, 1, 2, "30\r"));
        QCOMPARE(describe(link.AddInitBytes(raw({0, 0}))), describe(0, 0, 0, {}));
    }

    // What had arrived of the abandoned answer, then the late bytes and the next answer.
    void abandonedInitAnswerIsDroppedWithItsLateBytes_data() {
        QTest::addColumn<QByteArray>("partial");
        QTest::addColumn<QByteArray>("late");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("rest of an error text")
            << raw({0, 2}) + "E"
            << "RR" + raw({0}) + textResponse(0, 1, "ok") << describe(0, 1, 2, "ok\r");
        QTest::newRow("rest is the zero")
            << raw({0, 1}) + "ab" << raw({0, 0, 0}) << describe(0, 0, 0, {});
        QTest::newRow("rest of a bare header")
            << raw({0, 1}) << "xyz" + raw({0, 0, 0}) << describe(0, 0, 0, {});
        QTest::newRow("only the channel had come")
            << raw({0}) << raw({0, 0}) << describe(0, 0, 0, {});
        QTest::newRow("nothing had come")
            << QByteArray() << textResponse(0, 1, "T") << describe(0, 1, 1, "T\r");
    }
    void abandonedInitAnswerIsDroppedWithItsLateBytes() {
        QFETCH(QByteArray, partial);
        QFETCH(QByteArray, late);
        QFETCH(QByteArray, expected);
        for (const QByteArrayList &chunks : everyChunking(late)) {
            Twa8ded link;
            QCOMPARE(describe(link.AddInitBytes(partial)), Incomplete);
            link.AbandonInitAnswer();
            const QByteArray label = sizesOf(chunks);
            for (qsizetype i = 0; i + 1 < chunks.size(); ++i)
                QCOMPARE(label + describe(link.AddInitBytes(chunks[i])), label + Incomplete);
            QCOMPARE(label + describe(link.AddInitBytes(chunks.last())), label + expected);
            QCOMPARE(link.protocolErrors(), 0);
        }
    }

    // When the rest of an abandoned text never comes, the next answer is lost with it, but a
    // second abandon leaves nothing behind.
    void lostRestOfAnInitAnswerCostsOneAnswer() {
        Twa8ded link;
        link.AddInitBytes(raw({0, 1}) + "a");
        link.AbandonInitAnswer();
        QCOMPARE(describe(link.AddInitBytes(raw({0, 0}))), Incomplete);
        link.AbandonInitAnswer();
        QCOMPARE(describe(link.AddInitBytes(raw({0, 0}))), describe(0, 0, 0, {}));
    }

    void pollCycleForTwoChannels() {
        Twa8ded link;
        link.set_kanavien_maara(2);
        const QByteArrayList cycle{"G0", "L1", "G2", "@B", "G0", "G1",
                                   "L2", "@B", "L0", "G1", "G2", "@B"};
        QCOMPARE(runPolls(link, 24), cycle + cycle);
    }

    void forcedPolls_data() {
        QTest::addColumn<int>("limit");
        QTest::newRow("limit 0") << 0;
        QTest::newRow("limit 2") << 2;
        QTest::newRow("limit 5") << 5;
    }
    void forcedPolls() {
        QFETCH(int, limit);
        Twa8ded link;
        link.set_kanavien_maara(2);
        link.ForcePolls(1, limit);
        QByteArrayList expected;
        for (int i = 0; i <= limit; ++i)
            expected << "G1";
        expected << "G2"
                 << "@B"
                 << "G0"
                 << "L1";
        QCOMPARE(runPolls(link, int(expected.size())), expected);
    }

    void monitorHeaderWithInformationPollsChannelZeroAgain() {
        Twa8ded link;
        link.set_kanavien_maara(2);
        QCOMPARE(pollName(link.NextPoll(0)), QByteArray("G0"));
        const HostResponse header =
            link.AddResponseBytes(textResponse(0, 5, "fm QQ2BBS to FBB ctl UI"));
        QCOMPARE(header.code, 5);
        QCOMPARE(pollName(link.NextPoll(header.code)), QByteArray("G0"));
        const HostResponse information = link.AddResponseBytes(dataResponse(0, 6, "5301 B\r"));
        QCOMPARE(pollName(link.NextPoll(information.code)), QByteArray("L1"));
    }

    void pollKindsMapToExpectedKinds() {
        QCOMPARE(krx::expectedKindOf(PollKind::Status), ReplyKind::StatusPoll);
        QCOMPARE(krx::expectedKindOf(PollKind::Data), ReplyKind::DataPoll);
        QCOMPARE(krx::expectedKindOf(PollKind::BufferQuery), ReplyKind::BufferQuery);
    }

    void channelCountStaysInRange_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("kept");
        QTest::newRow("negative") << -1 << 0;
        QTest::newRow("ten") << 10 << 10;
        QTest::newRow("eleven") << 11 << 10;
    }
    void channelCountStaysInRange() {
        QFETCH(int, count);
        QFETCH(int, kept);
        Twa8ded link;
        link.set_kanavien_maara(count);
        QCOMPARE(link.kanavien_maara(), kept);
    }
};

QTEST_GUILESS_MAIN(Wa8dedTest)
#include "test_wa8ded.moc"
