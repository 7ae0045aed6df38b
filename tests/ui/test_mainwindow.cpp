#include "FakeClock.h"
#include "FakeSeams.h"
#include "FakeTransport.h"
#include "TempProgramDir.h"
#include "core/HostModeControl.h"
#include "core/ui/Tkernel_form.h"
#include "store/DateConversion.h"
#include "store/ListFile.h"
#include "store/MessageStore.h"
#include "store/ui/Tlista.h"
#include "terminal/ui/TMDIChild.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace krx;

namespace {

// A main window on a settings file, with scripted boxes and a test TNC.
class Fixture {
public:
    // A list file of bulletins, each given by its status and its days in the store.
    struct ListFileContent {
        const char *name;
        std::vector<std::pair<char, int>> headers;
    };
    static constexpr char twoLists[] = "OMAT\r\nALL\r\n";

    explicit Fixture(const QByteArray &settings, bool writeSettings = true,
                     const QByteArray &epurt = twoLists,
                     const std::vector<ListFileContent> &lists = {}) {
        if (writeSettings) {
            home.write("KRX.INI", settings);
            home.write("epurt.ini", epurt);
            home.write("read.ini", "");
        }
        for (const ListFileContent &list : lists)
            writeList(list);
        kernel = std::make_unique<Kernel>(ProgramDirectory(home.path()), QStringLiteral("krx"),
                                          Services{clock, prompter, sound, shell});
        kernel->setTransportFactory(
            [](const Settings &) { return std::make_unique<test::FakeTransport>(); });
        window = std::make_unique<Tkernel_form>(*kernel);
        window->startUp();
        window->show();
        QCoreApplication::sendPostedEvents(); // CM_CREATE_CHANNELS or CM_START_SETUP
    }

    void writeList(const ListFileContent &list) {
        QByteArray content = ListFile::mark;
        qint32 number = 1;
        for (const auto &[status, age] : list.headers) {
            HeaderRecord record;
            record.kind = 'B';
            record.status = status;
            record.number = number++;
            record.stored_time = toRecordDate(clock.now().addDays(-age));
            content += record.encode();
        }
        home.write(QString("data/") + list.name, content);
    }

    static QByteArray settings(int kieli, int channels) {
        return "[krx asetus]\r\nkieli=" + QByteArray::number(kieli) +
               "\r\noma kutsu=QQ1ZZZ\r\nkanavien maara=" + QByteArray::number(channels) +
               "\r\n[laatikko]\r\noma BBS=QQ2BBS\r\n[portti asetus]\r\nEMU=6\r\n";
    }

    test::TempProgramDir home;
    test::FakeClock clock;
    test::ScriptedPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    std::unique_ptr<Kernel> kernel;
    std::unique_ptr<Tkernel_form> window;
};

QStringList menuTitles(QMenuBar *bar) {
    QStringList titles;
    for (QAction *action : bar->actions())
        if (action->isVisible())
            titles << action->text();
    return titles;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menusInBothLanguages_data() {
        QTest::addColumn<int>("kieli");
        QTest::addColumn<QString>("menuName");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("fetchHeaders");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Finnish") << 0 << "MainMenu1"
                                 << QStringList{"&Tiedosto", "&Yhteys", "&Asetukset", "&Ikkunat",
                                                "&Ohje"}
                                 << "&Hae listaa"
                                 << "KRX Vizuzad";
        QTest::newRow("English") << 1 << "MainMenu2"
                                 << QStringList{"&File", "&Connection", "&Options", "&Windows",
                                                "&Help"}
                                 << "&List headers"
                                 << "KRX packet";
    }
    void menusInBothLanguages() {
        QFETCH(int, kieli);
        QFETCH(QString, menuName);
        QFETCH(QStringList, titles);
        QFETCH(QString, fetchHeaders);
        QFETCH(QString, caption);
        Fixture f(Fixture::settings(kieli, 3));
        const Language language = kieli == 1 ? Language::English : Language::Finnish;
        QCOMPARE(f.window->menuBar()->objectName(), menuName);
        QCOMPARE(menuTitles(f.window->menuBar()), titles);
        QCOMPARE(f.window->windowTitle(), caption);
        QCOMPARE(f.window->menuAction(language, Command::FetchHeaders)->text(), fetchHeaders);
        QCOMPARE(f.window->menuAction(language, Command::FetchHeaders)->shortcut(),
                 QKeySequence("F5"));
        QVERIFY(f.window->toolBar(language)->isVisible());
        const Language other =
            language == Language::English ? Language::Finnish : Language::English;
        QVERIFY(!f.window->toolBar(other)->isVisible());
        QVERIFY(f.window->menuAction(other, Command::FetchHeaders)->shortcut().isEmpty());
    }

    void togglingAnOptionFlipsBothMenus() {
        Fixture f(Fixture::settings(0, 3));
        QAction *finnish = f.window->menuAction(Language::Finnish, Command::RxCompressed);
        QAction *english = f.window->menuAction(Language::English, Command::RxCompressed);
        QVERIFY(finnish->isChecked() && english->isChecked());
        finnish->trigger();
        QVERIFY(!finnish->isChecked() && !english->isChecked());
        QVERIFY(!f.kernel->option(Option::RxCompressed));
    }

    void channelCountSetsChannelWindowsMenusAndButtons() {
        Fixture f(Fixture::settings(0, 2));
        for (int channel = 1; channel <= 10; ++channel) {
            const bool exists = channel <= 2;
            QCOMPARE(f.window->channelWindow(channel) != nullptr, exists);
            for (Language language : {Language::Finnish, Language::English}) {
                QAction *item = f.window->menuAction(language, channelCommand(channel));
                QCOMPARE(item->isVisible(), exists);
                QCOMPARE(item->isEnabled(), exists);
            }
            for (const char *prefix : {"n_c", "e_c"})
                QCOMPARE(f.window->toolButton(prefix + QString::number(channel))
                             ->defaultAction()
                             ->isVisible(),
                         exists);
        }
        QCOMPARE(f.window->channelWindow(2)->windowTitle(), QString("(2) DISCONNECTED "));
        QVERIFY(f.window->channelWindow(2)->subWindow()->isMinimized());
        QVERIFY(f.prompter.shown.empty());
    }

    void wrongChannelCountWarnsAndCreatesNoChannelWindow_data() {
        QTest::addColumn<int>("kieli");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("warning");
        QTest::newRow("0, Finnish")
            << 0 << 0 << QString::fromUtf8("väärä määrä QSO ikkunoita 0 kpl");
        QTest::newRow("11, English")
            << 1 << 11 << QString::fromUtf8("Wrong count of QSO wíndows 11");
    }
    void wrongChannelCountWarnsAndCreatesNoChannelWindow() {
        QFETCH(int, kieli);
        QFETCH(int, count);
        QFETCH(QString, warning);
        Fixture f(Fixture::settings(kieli, count));
        QCOMPARE(f.prompter.shown.size(), size_t(1));
        QCOMPARE(f.prompter.shown[0].text, warning);
        QCOMPARE(f.prompter.shown[0].icon, MessageIcon::Warning);
        for (int channel = 1; channel <= 10; ++channel)
            QVERIFY(!f.window->channelWindow(channel));
        QVERIFY(f.window->monitorWindow() && f.window->listsWindow());
    }

    void cancelInTheCloseQuestionKeepsTheProgramRunning() {
        Fixture f(Fixture::settings(1, 2));
        f.kernel->hostMode().lineWatchdog().start(); // the link is running
        f.prompter.answerNext(MessageAnswer::Cancel);
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.prompter.shown.back().text,
                 QString("Exiting program. Should expired messages be deleted?"));
        QCOMPARE(f.prompter.shown.back().caption, QString("Ending program"));
        QCOMPARE(f.prompter.shown.back().buttons, MessageButtons::YesNoCancel);
        QVERIFY(!f.kernel->closingRequested());
        QVERIFY(!QFile::exists(f.home.filePath("data/misc.ini")));
    }

    void orderlyEndWritesTheMiscKeys() {
        Fixture f(Fixture::settings(0, 2) + "[Ikkunoiden paikkat]\r\nmuista paikat=1\r\n");
        f.window->channelWindow(2)->setToggled(true);
        f.window->menuAction(Language::Finnish, Command::AutoOem)->trigger(); // off
        QVERIFY(f.window->close()); // the line is not running: no question
        QVERIFY(f.prompter.shown.empty());
        const QByteArray misc = f.home.read("data/misc.ini");
        for (const char *line :
             {"toggle on 1=0", "toggle on 2=1", "toggle on m=0", "toggle on l=0",
              "toggle on read=0", "toggle on write=0", "toggle on plus=0", "toggle on haku=0",
              "toggle on omi=0", "auto oem=0", "html sallittu=0", "erotus=0",
              "sana=", "QSO-ikkuna1=0 ", "QSO-ikkuna2=0 ", "Monitorointi-ikkuna=1 ",
              "Listaikkuna=0 ", "Pohja-ikkuna="})
            QVERIFY2(misc.contains(line), line);
    }

    void rememberedPositionsAreRestored() {
        Fixture f(Fixture::settings(0, 2) + "[Ikkunoiden paikkat]\r\nmuista paikat=1\r\n"
                                            "QSO-ikkuna2=1 40 -20 300 200\r\n");
        QMdiSubWindow *second = f.window->channelWindow(2)->subWindow();
        QVERIFY(!second->isMinimized());
        QCOMPARE(second->geometry(), QRect(40, 45, 300, 200));
        QVERIFY(f.window->channelWindow(1)->subWindow()->isMinimized()); // nothing saved for it
    }

    void positionsAreNeitherReadNorWrittenWhenNotRemembered() {
        Fixture f(Fixture::settings(0, 1));
        QVERIFY(f.window->close());
        const QByteArray misc = f.home.read("data/misc.ini");
        QVERIFY(misc.contains("toggle on 1=0"));
        QVERIFY(!misc.contains("QSO-ikkuna"));
        QVERIFY(!misc.contains("Pohja-ikkuna"));
    }

    void firstRunTellsWhereTheSettingsFileIsMissingAndWritesNothing() {
        Fixture f({}, false);
        QCOMPARE(f.prompter.shown.size(), size_t(1));
        QVERIFY(f.prompter.shown[0].text.contains(f.home.filePath("krx.ini")));
        QVERIFY(!f.window->isVisible());
        QVERIFY(QDir(f.home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void notConfiguredWarnsAndDisablesTheAutomaticCommands() {
        Fixture f("[krx asetus]\r\noma kutsu=NOCALL\r\nkanavien maara=2\r\n");
        QCOMPARE(f.prompter.shown.size(), size_t(1));
        QVERIFY(f.prompter.shown[0].text.startsWith("Et ole muokannut KRX.INI"));
        for (const char *name :
             {"n_bbs", "e_bbs", "n_otsikot", "e_otsikot", "n_katkaise", "e_laheta"})
            QVERIFY2(!f.window->toolButton(name)->isEnabled(), name);
        QVERIFY(f.window->toolButton("n_uusi")->isEnabled());
    }

    void statusTipsShowInTheHintPanel() {
        Fixture f(Fixture::settings(1, 1));
        QStatusTipEvent tip("Fetch new headers from BBS.");
        QCoreApplication::sendEvent(f.window.get(), &tip);
        QCOMPARE(f.window->hintPanel()->text(), QString("Fetch new headers from BBS."));
        QCOMPARE(f.window->toolButton("e_otsikot")->toolTip(), QString("Fetch Headers"));
    }

    void listStatusFieldShowsTheTotals() {
        Fixture f(Fixture::settings(0, 1), true, Fixture::twoLists,
                  {{"ALL.lst", {{' ', 0}, {'r', 0}, {'R', 0}, {'R', 0}}}});
        QTRY_COMPARE(f.window->listStatusField()->text(), QString("U:4 R:2 r:1"));
        QCOMPARE(f.window->listStatusField()->width(),
                 f.window->listStatusField()->fontMetrics().horizontalAdvance('M') * 12);
        QVERIFY(f.prompter.shown.empty());
    }

    void endOfRunPurgesTheListsWhenChosen_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<int>("headersLeft");
        QTest::newRow("purge") << MessageAnswer::Yes << 1;
        QTest::newRow("keep") << MessageAnswer::No << 2;
    }
    void endOfRunPurgesTheListsWhenChosen() {
        QFETCH(MessageAnswer, answer);
        QFETCH(int, headersLeft);
        // New bulletins of ALL are kept 30 days (the retention column at 43).
        Fixture f(Fixture::settings(1, 1), true, "OMAT\r\nALL" + QByteArray(40, ' ') + "30\r\n",
                  {{"ALL.lst", {{' ', 45}, {' ', 2}}}});
        QVERIFY(f.window->listsWindow()->store().isStarted());
        f.kernel->hostMode().lineWatchdog().start();
        f.prompter.answerNext(answer);
        f.window->close(); // waits for the TNC to leave host mode
        f.kernel->endTimer().start();
        f.clock.advance(Kernel::endTimerMs);
        QCOMPARE(int(readListFile(f.home.filePath("data/ALL.lst"), 500).records.size()),
                 headersLeft);
        QVERIFY(!f.window->isVisible());
    }

    void helpOpensTheManual() {
        Fixture f(Fixture::settings(0, 1));
        f.window->runCommand(Command::Contents);
        QCOMPARE(f.shell.opened.size(), 1);
        QVERIFY(f.shell.opened[0].endsWith(".html"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
