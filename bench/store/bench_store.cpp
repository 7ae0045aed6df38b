// Builds a message store of 10 lists holding 100,000 headers (the biggest 50,000) in a
// throw-away program directory and prints how long the store's heavy operations take, and how
// long the lists window takes to show the biggest list and how long its event loop stalls
// meanwhile.

#include "core/IniFile.h"
#include "core/OemConversion.h"
#include "core/Prompter.h"
#include "core/SystemClock.h"
#include "core/ui/WindowMessageEvent.h"
#include "store/DateConversion.h"
#include "store/ListFile.h"
#include "store/MessageStore.h"
#include "store/ui/HeaderGrid.h"
#include "store/ui/Tlista.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
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

// The longest gap between the ticks of a 5 ms timer: how long the event loop was kept busy.
class StallMeter {
public:
    StallMeter() {
        ticks_.setTimerType(Qt::PreciseTimer);
        ticks_.setInterval(5);
        QObject::connect(&ticks_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, sinceLast_.restart()); });
        sinceLast_.start();
        ticks_.start();
    }
    qint64 longestMs() const { return longest_; }

private:
    QTimer ticks_;
    QElapsedTimer sinceLast_;
    qint64 longest_ = 0;
};

// When a widget is first painted, on the given timer.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *widget, const QElapsedTimer &timer) : timer_(timer) {
        widget->installEventFilter(this);
    }
    bool painted() const { return paintedAt_ >= 0; }
    qint64 paintedAt() const { return paintedAt_; }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && paintedAt_ < 0)
            paintedAt_ = timer_.nsecsElapsed();
        return false;
    }

private:
    const QElapsedTimer &timer_;
    qint64 paintedAt_ = -1;
};

// Runs the event loop until `done` holds, at most `limitMs`.
template <typename Done> void runUntil(Done done, int limitMs) {
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Opens the biggest list in the lists window: the time until the grid holds it and until the
// grid is painted, and the longest stall of the event loop from the opening to the paint.
void openBiggestList(MessageStore &store, Prompter &prompter) {
    Tlista lists(store, prompter, Tlista::Setup{Language::Finnish, HeaderGridLayout{}});
    lists.resize(1000, 700);
    lists.show();
    WindowMessageEvent::post(&lists, CM_LOAD_LISTS);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    qint64 shownAt = -1;
    QObject::connect(&lists, &Tlista::listShown, [&] { shownAt = timer.nsecsElapsed(); });
    FirstPaint paint(lists.grid()->viewport(), timer);
    StallMeter stalls;
    timer.start();
    lists.openList(MessageStore::defaultList);
    runUntil([&paint] { return paint.painted(); }, 10000);
    if (shownAt < 0 || !paint.painted())
        qFatal("the biggest list was not shown");
    report("lists window: biggest list in the grid", shownAt);
    report("lists window: biggest list painted", paint.paintedAt());
    std::printf("  %d rows; longest event-loop stall while it loaded: %lld ms\n",
                lists.grid()->model()->rowCount(), stalls.longestMs());
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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

    openBiggestList(store, prompter);

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
