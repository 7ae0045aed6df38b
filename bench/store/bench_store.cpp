// Builds a message store of 10 lists holding 100,000 headers (the biggest 50,000) in a
// throw-away program directory and prints how long the store's heavy operations take.

#include "core/IniFile.h"
#include "core/OemConversion.h"
#include "core/Prompter.h"
#include "core/SystemClock.h"
#include "store/DateConversion.h"
#include "store/ListFile.h"
#include "store/MessageStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace krx;

namespace {

constexpr int listCount = 10;
constexpr int biggestList = 50000;
constexpr int allHeaders = 100000;
constexpr int fetchRuns = 500;

// Counts the boxes instead of showing them.
class CountingPrompter final : public Prompter {
public:
    MessageAnswer message(const QString &, const QString &text, MessageIcon,
                          MessageButtons) override {
        ++shown;
        last = text;
        return MessageAnswer::Ok;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    std::optional<QString> openFileName(const QString &, const QString &,
                                        const QString &) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString &, const QString &,
                                        const QString &) override {
        return std::nullopt;
    }
    int shown = 0;
    QString last;
};

long peakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void report(const QByteArray &what, qint64 nanoseconds) {
    std::printf("%-48s %8.1f ms   (peak memory %ld kB)\n", what.constData(), nanoseconds / 1e6,
                peakMemoryKb());
}

// Header i of a list: mostly new bulletins, some of every other status, stored over the last
// 60 days so that the purge (new bulletins kept 30 days) removes about half of the new ones.
HeaderRecord benchHeader(int number, int i, const QDateTime &now) {
    static constexpr char statuses[] = {' ', ' ', ' ', ' ', ' ', ' ', 'Y', 'R', 'K', 'r'};
    HeaderRecord r;
    r.kind = i % 7 == 0 ? 'P' : 'B';
    r.status = i % 100 == 0 ? 'r' : statuses[i % 9];
    r.number = number;
    r.bbs_number = number;
    r.size = 1000 + i % 50000;
    r.from = "QQ3ABC";
    r.via = "WW";
    r.to = "ALL";
    r.title = "Benchmark header number " + QByteArray::number(number);
    r.bbs_time = toRecordDate(now.addSecs(-i * 60));
    r.stored_time = toRecordDate(now.addDays(-(i % 60)));
    return r;
}

void writeList(const QString &path, int firstNumber, int count, const QDateTime &now) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ListFile::mark) != ListFile::markBytes)
        qFatal("cannot write %s", qPrintable(path));
    for (int i = 0; i < count; ++i)
        if (file.write(benchHeader(firstNumber + i, i, now).encode()) != HeaderRecord::byteSize)
            qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    if (!home.isValid())
        qFatal("no temporary folder");
    SystemClock clock;
    const QDateTime now = clock.now();

    QByteArray epurt = "OMAT\r\nALL";
    epurt += QByteArray(44 - 1 - 3, ' ') + "30\r\n"; // new bulletins kept 30 days
    for (int list = 3; list <= listCount; ++list)
        epurt += "L" + QByteArray::number(list) + "\r\n";
    QDir(home.path()).mkpath(QStringLiteral("data"));
    auto write = [&home](const char *name, const QByteArray &content) {
        QFile file(home.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write %s", name);
    };
    write("epurt.ini", epurt);
    write("read.ini", "M > L3.LST       SALE\r\n");
    write("KRX.INI", "[krx asetus]\r\noma kutsu=QQ1ZZZ\r\n");

    writeList(home.filePath(QStringLiteral("data/ALL.lst")), 1, biggestList, now);
    const int perList = (allHeaders - biggestList) / (listCount - 1);
    const int personal = allHeaders - biggestList - perList * (listCount - 2);
    writeList(home.filePath(QStringLiteral("data/OMAT.lst")), 100, personal, now);
    for (int list = 3; list <= listCount; ++list)
        writeList(home.filePath(QStringLiteral("data/L%1.lst").arg(list)), 1, perList, now);

    CountingPrompter prompter;
    OemConversion oem;
    IniFile mainSettings(home.filePath(QStringLiteral("KRX.INI")));
    StoreSettings settings;
    settings.ownCall = "QQ1ZZZ";
    settings.homeBbs = "QQ2BBS";
    MessageStore store(ProgramDirectory(home.path()), settings,
                       StoreServices{clock, prompter, oem, mainSettings});
    std::printf("store: %d lists, %d headers, biggest list %d headers, blocks of %d\n", listCount,
                allHeaders, biggestList, settings.headersPerBlock);
    std::printf("peak memory before the store works: %ld kB\n", peakMemoryKb());

    QElapsedTimer timer;
    timer.start();
    if (!store.Start())
        qFatal("the store did not start: %s", qPrintable(prompter.last));
    report("start-up: folders, files, counting every list", timer.nsecsElapsed());
    std::printf("  %s\n", qPrintable(store.catalog().totalsLine()));

    timer.restart();
    const ListContents contents = readListFile(store.listFilePath(1), settings.headersPerBlock);
    const qint64 reading = timer.nsecsElapsed();
    if (contents.error || int(contents.records.size()) != biggestList)
        qFatal("the biggest list was not read");
    report("reading all records of the biggest list", reading);
    std::printf("  %zu records of %zu bytes each in memory\n", contents.records.size(),
                sizeof(HeaderRecord));

    timer.restart();
    store.BuildFetchQueue(true);
    report("BuildFetchQueue over every list", timer.nsecsElapsed());
    std::printf("  %d headers queued\n", store.hakulista().size());

    const QByteArray message = QByteArray("A fetched message.\r\n").repeated(50);
    qint64 fetching = 0;
    int fetched = 0;
    for (; fetched < fetchRuns && store.NextFetch(); ++fetched) {
        const QString path = store.fetchMessagePath();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(message) != message.size())
            qFatal("cannot write %s", qPrintable(path));
        file.close();
        timer.restart();
        store.FetchDone(path, "Fetched title");
        fetching += timer.nsecsElapsed();
    }
    report("FetchDone x " + QByteArray::number(fetched), fetching);
    std::printf("  %.2f ms each\n", fetching / 1e6 / std::max(fetched, 1));

    timer.restart();
    store.PurgeLists();
    report("PurgeLists over every list", timer.nsecsElapsed());
    std::printf("  %s\n", qPrintable(store.catalog().totalsLine()));
    std::printf("boxes shown: %d\n", prompter.shown);
    return 0;
}
