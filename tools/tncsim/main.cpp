// krx-tncsim: the TNC simulator as a program, for the demo, end-to-end tests and benchmarks.

#include "core/SystemClock.h"
#include "tncsim/PtyServer.h"
#include "tncsim/StationCatalog.h"
#include "tncsim/Tnc.h"
#include "tncsim/TncServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace krx;
using namespace krx::tncsim;

namespace {

// SIGINT and SIGTERM end the event loop, so the program can report and exit cleanly.
class ExitSignals {
public:
    ExitSignals() {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipe_) != 0)
            return;
        writeEnd_ = pipe_[0];
        notifier_ = std::make_unique<QSocketNotifier>(pipe_[1], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated,
                         [] { QCoreApplication::quit(); });
        struct sigaction action {};
        action.sa_handler = [](int) {
            const char byte = 1;
            [[maybe_unused]] const auto written = ::write(writeEnd_, &byte, 1);
        };
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
    }

private:
    static inline int writeEnd_ = -1;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

struct Options {
    bool useTcp = true;
    quint16 tcpPort = 7001;
    bool usePty = false;
    QByteArrayList stations = StationCatalog::demoSet();
    int connectDelay = 500;
    int linkDelay = 0;
    QByteArrayList rejected;
};

[[noreturn]] void usageError(const QString &text) {
    std::fprintf(stderr, "krx-tncsim: %s\n", qPrintable(text));
    std::exit(2);
}

int numberOption(const QCommandLineParser &parser, const QString &name, int maximum) {
    bool isNumber = false;
    const int value = parser.value(name).toInt(&isNumber);
    if (!isNumber || value < 0 || value > maximum)
        usageError(QStringLiteral("--%1 takes a number from 0 to %2").arg(name).arg(maximum));
    return value;
}

Options parseOptions(const QCoreApplication &app, const StationCatalog &catalog) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A strict WA8DED host-mode TNC with simulated stations behind it.\n"
        "Prints the TCP address and the pty path it serves, each on a line of its own, and\n"
        "\"violations: N\" when it ends."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("tcp"),
         QStringLiteral("Serve on 127.0.0.1:PORT (default 7001; 0 picks one)."),
         QStringLiteral("PORT")},
        {QStringLiteral("pty"),
         QStringLiteral("Serve on a pseudo-terminal (no TCP unless --tcp).")},
        {QStringLiteral("station"),
         QStringLiteral("Add a station KIND:CALL[:ARG]; kinds: %1. Replaces the demo set (%2).")
             .arg(QString::fromLatin1(catalog.kinds().join(", ")),
                  QString::fromLatin1(StationCatalog::demoSet().join(' '))),
         QStringLiteral("KIND:CALL[:ARG]")},
        {QStringLiteral("connect-delay"),
         QStringLiteral("Milliseconds before a station answers a connect (default 500)."),
         QStringLiteral("MS"), QStringLiteral("500")},
        {QStringLiteral("link-delay"),
         QStringLiteral("Milliseconds a frame takes to reach the station (default 0)."),
         QStringLiteral("MS"), QStringLiteral("0")},
        {QStringLiteral("reject"),
         QStringLiteral("Answer this TNC command with code 2 \"INVALID PARAMETER\"."),
         QStringLiteral("COMMAND")},
    });
    parser.process(app);

    Options options;
    options.usePty = parser.isSet(QStringLiteral("pty"));
    options.useTcp = parser.isSet(QStringLiteral("tcp")) || !options.usePty;
    if (parser.isSet(QStringLiteral("tcp")))
        options.tcpPort = quint16(numberOption(parser, QStringLiteral("tcp"), 65535));
    if (parser.isSet(QStringLiteral("station"))) {
        options.stations.clear();
        for (const QString &station : parser.values(QStringLiteral("station")))
            options.stations << station.toLatin1();
    }
    options.connectDelay = numberOption(parser, QStringLiteral("connect-delay"), 600000);
    options.linkDelay = numberOption(parser, QStringLiteral("link-delay"), 600000);
    for (const QString &command : parser.values(QStringLiteral("reject")))
        options.rejected << command.toLatin1();

    // Every description is checked once here, so a session never meets a bad one.
    for (const QByteArray &station : options.stations) {
        QString error;
        if (!catalog.create(station, &error))
            usageError(error);
    }
    return options;
}

void setUp(Tnc &tnc, const Options &options, const StationCatalog &catalog) {
    QString error;
    for (const QByteArray &station : options.stations)
        tnc.addStation(catalog.create(station, &error));
    tnc.setConnectDelay(options.connectDelay);
    tnc.setLinkDelay(options.linkDelay);
    for (const QByteArray &command : options.rejected)
        tnc.rejectCommand(command);
}

void reportViolation(const QString &text) {
    std::fprintf(stderr, "violation: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("krx-tncsim"));
    const StationCatalog catalog = StationCatalog::standard();
    const Options options = parseOptions(app, catalog);
    ExitSignals exitSignals;
    SystemClock clock;

    TncServer server(clock, [&](Tnc &tnc) { setUp(tnc, options, catalog); });
    QObject::connect(&server, &TncServer::violationSeen, &reportViolation);
    if (options.useTcp) {
        if (!server.listen(options.tcpPort))
            usageError(QStringLiteral("cannot listen on 127.0.0.1:%1: %2")
                           .arg(options.tcpPort)
                           .arg(server.errorString()));
        std::printf("127.0.0.1:%u\n", unsigned(server.port()));
    }

    std::unique_ptr<Tnc> ptyTnc;
    std::unique_ptr<PtyServer> pty;
    if (options.usePty) {
        ptyTnc = std::make_unique<Tnc>(clock);
        setUp(*ptyTnc, options, catalog);
        ptyTnc->setViolationHandler(
            [](const Violation &violation) { reportViolation(violation.text); });
        pty = std::make_unique<PtyServer>(*ptyTnc);
        if (!pty->open())
            usageError(QStringLiteral("cannot open a pseudo-terminal: %1").arg(pty->errorString()));
        std::printf("%s\n", qPrintable(pty->slavePath()));
    }
    std::fflush(stdout);

    app.exec();

    const int violations = server.violationCount() + (ptyTnc ? ptyTnc->violationCount() : 0);
    std::printf("violations: %d\n", violations);
    return 0;
}
