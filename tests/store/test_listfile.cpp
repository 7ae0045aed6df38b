#include "FileSizeLimit.h"
#include "StoreFixture.h"
#include "TempProgramDir.h"
#include "store/ListFile.h"
#include "store/ListRewriter.h"
#include "store/MessageFiles.h"
#include "store/NumberFile.h"

#include <QtTest>

using namespace krx;
using krx::test::header;

namespace {

QByteArray listOf(const std::vector<HeaderRecord> &records) {
    QByteArray content = ListFile::mark;
    for (const HeaderRecord &record : records)
        content += record.encode();
    return content;
}

} // namespace

class ListFileTest : public QObject {
    Q_OBJECT

    test::TempProgramDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void markOnlyFileIsAnEmptyList() {
        dir.write("empty.lst", ListFile::mark);
        const ListFile file(path("empty.lst"));
        QCOMPARE(file.recordCount().value(), 0);
        int visits = 0;
        QVERIFY(file.scan(5, [&](int, const HeaderRecord &) { ++visits; }).ok());
        QCOMPARE(visits, 0);
        const ListContents contents = readListFile(path("empty.lst"), 500);
        QVERIFY(!contents.error);
        QVERIFY(contents.records.empty());
    }

    void lengthOffByOneIsCorrupt_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("one byte too many") << listOf({header(1)}) + 'x';
        QTest::newRow("half record") << listOf({header(1)}).left(100);
        QTest::newRow("no mark at all") << QByteArray("\x00\x00", 2);
        QTest::newRow("zero bytes") << QByteArray();
    }
    void lengthOffByOneIsCorrupt() {
        QFETCH(QByteArray, content);
        dir.write("bad.lst", content);
        const ListFile file(path("bad.lst"));
        QCOMPARE(file.recordCount().error().kind, FileError::Kind::Corrupt);
        QCOMPARE(file.ReadHeader(0).error().kind, FileError::Kind::Corrupt);
        QCOMPARE(file.scan(5, [](int, const HeaderRecord &) {}).error().kind,
                 FileError::Kind::Corrupt);
        QVERIFY(readListFile(path("bad.lst"), 5).error);
    }

    void corruptFileIsNeverWritten() {
        const QByteArray content = listOf({header(1)}) + 'x';
        dir.write("bad2.lst", content);
        const ListFile file(path("bad2.lst"));
        QVERIFY(!file.AppendRaw(header(2)).ok());
        QVERIFY(!file.SetHeaderStatus(0, 'K').ok());
        QCOMPARE(dir.read("bad2.lst"), content);
    }

    void missingFileIsReportedAsMissing() {
        const ListFile file(path("none.lst"));
        QVERIFY(!file.exists());
        QCOMPARE(file.ReadHeader(0).error().kind, FileError::Kind::Missing);
        QCOMPARE(file.scan(5, [](int, const HeaderRecord &) {}).error().kind,
                 FileError::Kind::Missing);
    }

    void appendCreatesAMissingFileWithTheMarkFirst() {
        const ListFile file(path("new.lst"));
        QCOMPARE(file.AppendRaw(header(7)).value(), 0);
        QCOMPARE(file.AppendRaw(header(8)).value(), 1);
        QCOMPARE(dir.read("new.lst"), listOf({header(7), header(8)}));
    }

    void writeHeaderReplacesInPlaceAndKeepsTheMark() {
        dir.write("w.lst", listOf({header(1), header(2), header(3)}));
        const ListFile file(path("w.lst"));
        QCOMPARE(file.WriteHeader(header(20, 'R'), 1).value(), 1);
        QCOMPARE(dir.read("w.lst"), listOf({header(1), header(20, 'R'), header(3)}));
        QCOMPARE(file.ReadHeader(1).value(), header(20, 'R'));
    }

    void writingPastTheEndLeavesNoGap() {
        dir.write("gap.lst", listOf({header(1)}));
        const ListFile file(path("gap.lst"));
        QVERIFY(!file.WriteHeader(header(5), 3).ok());
        QVERIFY(!file.ReadHeader(1).ok());
        QCOMPARE(dir.read("gap.lst"), listOf({header(1)}));
    }

    void setHeaderStatusChangesOneByte() {
        const QByteArray before = listOf({header(1), header(2)});
        dir.write("s.lst", before);
        QVERIFY(ListFile(path("s.lst")).SetHeaderStatus(1, 'K').ok());
        QByteArray expected = before;
        expected[3 + 216 + 1] = 'K';
        QCOMPARE(dir.read("s.lst"), expected);
    }

    void scanVisitsEveryRecordAcrossBlocks() {
        std::vector<HeaderRecord> records;
        for (int i = 0; i < 23; ++i)
            records.push_back(header(100 + i));
        dir.write("many.lst", listOf(records));
        std::vector<int> indexes;
        std::vector<qint32> numbers;
        QVERIFY(ListFile(path("many.lst"))
                    .scan(5,
                          [&](int index, const HeaderRecord &record) {
                              indexes.push_back(index);
                              numbers.push_back(record.number);
                          })
                    .ok());
        QCOMPARE(int(indexes.size()), 23);
        for (int i = 0; i < 23; ++i) {
            QCOMPARE(indexes[i], i);
            QCOMPARE(numbers[i], 100 + i);
        }
        QCOMPARE(readListFile(path("many.lst"), 5).records, records);
    }

    void lastSeenIndexIsTheLastNotAboveTheMark() {
        const std::vector<HeaderRecord> records{header(5), header(9), header(7), header(12)};
        QCOMPARE(lastSeenIndex(records, 8), 2);
        QCOMPARE(lastSeenIndex(records, 4), -1);
        QCOMPARE(lastSeenIndex(records, 100), 3);
    }

    void aFailedAppendLeavesTheListAsItWas() {
        const QByteArray before = listOf({header(1), header(2)});
        dir.write("full.lst", before);
        {
            const test::FileSizeLimit fullDisk(before.size() + 100);
            QVERIFY(!ListFile(path("full.lst")).AppendRaw(header(3)).ok());
        }
        QCOMPARE(dir.read("full.lst"), before);
    }

    void numberLines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("seen");
        QTest::newRow("canonical") << QByteArray(" 100 0\r\n") << 100 << 0;
        QTest::newRow("two numbers") << QByteArray(" 261692 261600") << 261692 << 261600;
        QTest::newRow("only A") << QByteArray(" 55") << 55 << 0;
        QTest::newRow("unreadable A") << QByteArray(" x 12") << 0 << 12;
        QTest::newRow("unreadable B") << QByteArray(" 12 y") << 12 << 0;
        QTest::newRow("second line ignored") << QByteArray(" 1 2\r\n 3 4\r\n") << 1 << 2;
        QTest::newRow("empty") << QByteArray() << 0 << 0;
    }
    void numberLines() {
        QFETCH(QByteArray, text);
        QFETCH(int, first);
        QFETCH(int, seen);
        QCOMPARE(NumberFile::parse(text), (NumberLine{first, seen}));
    }

    void numberFileIsWrittenWhole() {
        const NumberFile file(path("ALL.num"));
        QVERIFY(!file.read());
        QVERIFY(file.writeVerified({261692, 261600}, 3).ok());
        QCOMPARE(dir.read("ALL.num"), QByteArray(" 261692 261600\r\n"));
        QCOMPARE(file.read(), (NumberLine{261692, 261600}));
    }

    void numberFileOnAFullDiskKeepsItsOldLine() {
        dir.write("FULL.num", " 5 6\r\n");
        const NumberFile file(path("FULL.num"));
        FileStatus written = Done{};
        {
            const test::FileSizeLimit fullDisk(4);
            written = file.writeVerified({261692, 261600}, 3);
        }
        QVERIFY(!written.ok());
        QCOMPARE(written.error().path, path("FULL.num"));
        QCOMPARE(dir.read("FULL.num"), QByteArray(" 5 6\r\n"));
    }

    void rewriterReplacesTheListAndKeepsTheBackup() {
        const QByteArray before = listOf({header(1), header(2)});
        dir.write("r.lst", before);
        dir.write("r.bak", "an older backup");
        ListRewriter rewriter(path("r.lst"), path("r.bak"), 4);
        QVERIFY(rewriter.begin().ok());
        QVERIFY(rewriter.add(header(2)).ok());
        QVERIFY(rewriter.commit().ok());
        QCOMPARE(rewriter.written(), 1);
        QCOMPARE(dir.read("r.lst"), listOf({header(2)}));
        QCOMPARE(dir.read("r.bak"), before);
    }

    void rewriterLeftUncommittedChangesNothing() {
        const QByteArray before = listOf({header(1)});
        dir.write("u.lst", before);
        {
            ListRewriter rewriter(path("u.lst"), path("u.bak"), 4);
            QVERIFY(rewriter.begin().ok());
            QVERIFY(rewriter.add(header(9)).ok());
        }
        QCOMPARE(dir.read("u.lst"), before);
        QVERIFY(!QFile::exists(path("u.bak")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("u.")).size(), 1);
    }

    void rewriterOnAFullDiskKeepsTheList() {
        std::vector<HeaderRecord> records;
        for (int i = 0; i < 40; ++i)
            records.push_back(header(i));
        const QByteArray before = listOf(records);
        dir.write("f.lst", before);
        FileStatus status = Done{};
        {
            const test::FileSizeLimit fullDisk(3 + 216 * 10);
            ListRewriter rewriter(path("f.lst"), path("f.bak"), 4);
            status = rewriter.begin();
            for (const HeaderRecord &record : records)
                if (status.ok())
                    status = rewriter.add(record);
            if (status.ok())
                status = rewriter.commit();
        }
        QVERIFY(!status.ok());
        QVERIFY(!status.error().reason.isEmpty());
        QCOMPARE(dir.read("f.lst"), before);
    }

    void messageFilesAreFoundInAnyCase() {
        dir.write("mail/ALL/12.TXT", "text");
        dir.write("mail/ALL/12.html", "html");
        dir.write("mail/ALL/12", "bare");
        dir.write("mail/ALL/120.txt", "other");
        const MessageFolder folder(path("mail/ALL"));
        QCOMPARE(folder.existing(12).size(), 3);
        QVERIFY(folder.hasMessage(120));
        QVERIFY(!folder.hasMessage(13));
        QCOMPARE(folder.textPath(12), path("mail/ALL/12.TXT"));
        QCOMPARE(folder.textPath(13), path("mail/ALL/13.txt"));
    }

    void messageFilesAreCopiedAndRemovedTogether() {
        dir.write("mail/A/5.txt", "text");
        dir.write("mail/A/5", "bare");
        dir.write("mail/B/5.txt", "older copy");
        const MessageFolder source(path("mail/A"));
        MessageFolder target(path("mail/B"));
        QVERIFY(source.copyMessage(5, target).ok());
        QCOMPARE(dir.read("mail/B/5.txt"), QByteArray("text"));
        QCOMPARE(dir.read("mail/B/5"), QByteArray("bare"));
        QVERIFY(source.removeMessage(5).ok());
        QVERIFY(!source.hasMessage(5));
        QVERIFY(!QFile::exists(path("mail/A/5.txt")));
        QVERIFY(target.hasMessage(5));
    }
};

QTEST_GUILESS_MAIN(ListFileTest)
#include "test_listfile.moc"
