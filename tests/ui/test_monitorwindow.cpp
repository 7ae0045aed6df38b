#include "../monitor/MonitorFixture.h"
#include "monitor/MonitorEngine.h"
#include "monitor/ui/MonitorCommandPane.h"
#include "monitor/ui/TPohja.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QtTest>

using namespace krx;
using Sent = test::RecordingSendOperations::Sent;

namespace {

// The monitor engine and its window.
struct WindowFixture {
    explicit WindowFixture(int kieli = 0) : f(kieli), window(*f.engine) { window.show(); }

    QPlainTextEdit *monitorPane() const { return window.monitorPane(); }
    MonitorCommandPane *commandPane() const { return window.commandPane(); }
    QLabel *panel(int number) const {
        return window.findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(number));
    }
    QMenu *popup(const char *name) const {
        return window.findChild<QMenu *>(QString::fromLatin1(name));
    }
    QAction *action(const char *menuName, const QString &text) const {
        for (QAction *action :
             window.findChild<QWidget *>(QString::fromLatin1(menuName))->actions()) {
            if (action->text() == text)
                return action;
            if (QMenu *menu = action->menu())
                for (QAction *inner : menu->actions())
                    if (inner->text() == text)
                        return inner;
        }
        return nullptr;
    }
    // The monitor pane's text as the user sees it, lines joined with LF.
    QString shownText() const { return monitorPane()->document()->toPlainText(); }

    test::MonitorFixture f;
    TPohja window;
};

// The format of the first character of the block that holds `text`.
QTextCharFormat formatOfLine(QPlainTextEdit *pane, const QString &text) {
    for (QTextBlock block = pane->document()->begin(); block.isValid(); block = block.next())
        if (block.text() == text)
            return block.begin().fragment().charFormat();
    return {};
}

} // namespace

class MonitorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachCodeInItsColour_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("bold");
        const QColor blue(0, 0, 255), black(0, 0, 0), gray(128, 128, 128);
        QTest::newRow("1 command reply") << 1 << blue << true;
        QTest::newRow("2 error") << 2 << blue << true;
        QTest::newRow("3 link status") << 3 << blue << true;
        QTest::newRow("4 header") << 4 << blue << false;
        QTest::newRow("5 header with contents") << 5 << blue << false;
        QTest::newRow("6 contents") << 6 << black << false;
        QTest::newRow("7 connected data") << 7 << black << false;
        QTest::newRow("8 own sent text") << 8 << gray << false;
    }

    void showsEachCodeInItsColour() {
        QFETCH(int, code);
        QFETCH(QColor, colour);
        QFETCH(bool, bold);
        WindowFixture w;
        w.f.engine->ShowMonitorText("before\r", 6);
        w.f.engine->ShowMonitorText("text of code " + QByteArray::number(code) + '\r', code);
        const QTextCharFormat format =
            formatOfLine(w.monitorPane(), QStringLiteral("text of code %1").arg(code));
        QCOMPARE(format.foreground().color(), colour);
        QCOMPARE(format.fontWeight() == QFont::Bold, bold);
    }

    void showsNodesTablesInPurple() {
        WindowFixture w;
        w.f.engine->CaptureMonitor(
            {0, 5, 40, ReplyKind::DataPoll, "fm QQ3NOD to NODES ctl UI^ pid CF\r"});
        const QByteArray contents = QByteArray::fromHex("FF 42 42 53 4E 4F 44");
        w.f.engine->CaptureMonitor({0, 6, int(contents.size()), ReplyKind::DataPoll, contents});
        const QTextCharFormat format =
            formatOfLine(w.monitorPane(), QStringLiteral(" NET/ROM Nodes Broadcast from (BBSNOD)"));
        QCOMPARE(format.foreground().color(), QColor(128, 0, 128));
    }

    void showsWhatWasThereBeforeTheWindow() {
        test::MonitorFixture f;
        f.engine->ShowMonitorText("early", 4);
        TPohja window(*f.engine);
        QCOMPARE(window.monitorPane()->document()->toPlainText(), QStringLiteral("early\n"));
    }

    void followsTheModelsTrimming() {
        WindowFixture w;
        w.window.setScrollBack(3);
        for (const char *text : {"one", "two\rthree", "four", "five"})
            w.f.engine->ShowMonitorText(text, 6);
        QCOMPARE(w.shownText(), QStringLiteral("three\nfour\nfive\n"));
        w.window.setScrollBack(500);
        for (int number = 0; number < 60; ++number)
            w.f.engine->ShowMonitorText(QByteArray::number(number) + QByteArray(997, '.'), 7);
        // The pane shows exactly what the model keeps, however the cut fell.
        QString expected = QString::fromLatin1(w.f.engine->pane().text());
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(w.shownText(), expected);
        QVERIFY(w.f.engine->pane().characterCount() < MonitorPane::characterLimit);
    }

    void showsControlCharactersAsBlanks() {
        WindowFixture w;
        w.f.engine->ShowMonitorText(QByteArray("a\0b\x07"
                                               "c\r",
                                               6),
                                    6);
        QCOMPARE(w.shownText(), QStringLiteral("a b c\n"));
    }

    void enterSendsTheLineAsUnprotoText() {
        WindowFixture w;
        QTest::keyClicks(w.commandPane(), QStringLiteral("CQ de QQ1ZZZ "));
        w.commandPane()->insertPlainText(QStringLiteral("\u00e4")); // sent in the ANSI code page
        QTest::keyClick(w.commandPane(), Qt::Key_Return);
        QTest::keyClick(w.commandPane(), Qt::Key_Return); // an empty line still sends CR
        const std::vector<Sent> expected{
            {0, "CQ de QQ1ZZZ \xe4\r", false, ReplyKind::InformationFrame},
            {0, "\r", false, ReplyKind::InformationFrame}};
        QVERIFY(w.f.sends.sent == expected);
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("CQ de QQ1ZZZ \u00e4\n\n"));
    }

    void ctrlEnterSendsTheLineAsACommand() {
        WindowFixture w;
        QTest::keyClick(w.commandPane(), Qt::Key_Return, Qt::ControlModifier); // empty: nothing
        QTest::keyClicks(w.commandPane(), QStringLiteral("MUISC"));
        QTest::keyClick(w.commandPane(), Qt::Key_Return, Qt::ControlModifier);
        const std::vector<Sent> expected{{0, "MUISC", true, ReplyKind::Command}};
        QVERIFY(w.f.sends.sent == expected);
    }

    void lineKeysInTheMiddleMoveTheCaretDown_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("isCommand");
        QTest::newRow("Enter") << Qt::KeyboardModifiers() << false;
        QTest::newRow("Ctrl+Enter") << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    }

    void lineKeysInTheMiddleMoveTheCaretDown() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, isCommand);
        WindowFixture w;
        w.commandPane()->setPlainText(QStringLiteral("C QQ2BBS\nsecond"));
        QTextCursor cursor = w.commandPane()->textCursor();
        cursor.setPosition(3);
        w.commandPane()->setTextCursor(cursor);
        QTest::keyClick(w.commandPane(), Qt::Key_Return, modifiers);
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("C QQ2BBS\nsecond"));
        QCOMPARE(w.commandPane()->textCursor().blockNumber(), 1);
        QCOMPARE(w.f.sends.sent.size(), size_t(1));
        QCOMPARE(w.f.sends.sent[0].bytes,
                 isCommand ? QByteArray("C QQ2BBS") : QByteArray("C QQ2BBS\r"));
        QCOMPARE(w.f.sends.sent[0].isCommand, isCommand);
    }

    void controlKeysGoOutAtOnce() {
        WindowFixture w;
        QTest::keyClicks(w.commandPane(), QStringLiteral("ab"));
        QTest::keyClick(w.commandPane(), Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(w.commandPane(), Qt::Key_Escape);
        QTest::keyClick(w.commandPane(), Qt::Key_Tab);
        QTest::keyClick(w.commandPane(), Qt::Key_C, Qt::ControlModifier); // copy, never sent
        const std::vector<Sent> expected{{0, "\x02", false, ReplyKind::InformationFrame},
                                         {0, "\x1b", false, ReplyKind::InformationFrame},
                                         {0, "\t", false, ReplyKind::InformationFrame}};
        QVERIFY(w.f.sends.sent == expected);
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("ab"));
    }

    void backspaceOnAnEmptyLineDoesNothing() {
        WindowFixture w;
        w.commandPane()->setPlainText(QStringLiteral("first\n"));
        w.commandPane()->moveCursor(QTextCursor::End);
        QTest::keyClick(w.commandPane(), Qt::Key_Backspace);
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("first\n"));
        w.commandPane()->moveCursor(QTextCursor::Up);
        w.commandPane()->moveCursor(QTextCursor::EndOfBlock);
        QTest::keyClick(w.commandPane(), Qt::Key_Backspace);
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("firs\n"));
    }

    void typingInTheMonitorPaneGoesToTheCommandPane() {
        WindowFixture w;
        QTest::keyClicks(w.monitorPane(), QStringLiteral("hi"));
        QTest::keyClick(w.monitorPane(), Qt::Key_Return);
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("hi\n"));
        QCOMPARE(w.f.sends.sent.size(), size_t(1));
        QCOMPARE(w.f.sends.sent[0].bytes, QByteArray("hi\r"));
    }

    void commandPaneKeepsTheScrollLimit() {
        WindowFixture w;
        w.window.setScrollBack(3);
        w.commandPane()->setPlainText(QStringLiteral("1\n2\n3\n4\n5"));
        QCOMPARE(w.commandPane()->toPlainText(), QStringLiteral("3\n4\n5"));
    }

    void scrollLockFromMenuAndStatusBar() {
        WindowFixture w;
        w.window.setScrollBack(2);
        QCOMPARE(w.panel(2)->text(), QStringLiteral("Scroll Lock Off"));
        w.action("PopupMenu1", QStringLiteral("Scroll &Lock"))->trigger();
        QCOMPARE(w.panel(2)->text(), QStringLiteral("Scroll Lock On"));
        QVERIFY(w.action("PopupMenu1", QStringLiteral("Scroll &Lock"))->isChecked());
        QVERIFY(w.action("PopupMenu2", QStringLiteral("Scroll &Lock"))->isChecked());
        for (const char *text : {"one", "two", "three", "four"})
            w.f.engine->ShowMonitorText(text, 6);
        QCOMPARE(w.shownText(), QStringLiteral("one\ntwo\nthree\nfour\n"));
        QTest::mouseDClick(w.panel(2), Qt::LeftButton);
        QCOMPARE(w.panel(2)->text(), QStringLiteral("Scroll Lock Off"));
        QVERIFY(!w.action("PopupMenu2", QStringLiteral("Scroll &Lock"))->isChecked());
        w.f.engine->ShowMonitorText("five", 6);
        QCOMPARE(w.shownText(), QStringLiteral("four\nfive\n"));
    }

    void showsTheStatusLine() {
        WindowFixture w;
        QCOMPARE(w.f.engine->ShowMonitorStatus("0 4"), 4);
        QCOMPARE(w.panel(1)->text(), QStringLiteral("Status : 0 4"));
    }

    void logMenuFollowsTheLog() {
        WindowFixture w;
        QAction *fi = w.action("MainMenu1", QStringLiteral("Monitori &logiin"));
        QAction *en = w.action("MainMenu2", QStringLiteral("Monitor to &log file"));
        fi->trigger(); // the dialog is cancelled
        QVERIFY(!fi->isChecked() && !en->isChecked());
        w.f.prompter.answers.push_back(w.f.home.filePath("monitor.log"));
        fi->trigger();
        QVERIFY(fi->isChecked() && en->isChecked());
        QVERIFY(w.f.engine->isLogging());
        // Closing the window only minimises it, but the log is closed.
        QVERIFY(!w.window.close());
        QVERIFY(!w.f.engine->isLogging());
        QVERIFY(!fi->isChecked() && !en->isChecked());
    }

    void togglesTheFont() {
        WindowFixture w;
        w.action("PopupMenu1", QStringLiteral("Vaihda &font"))->trigger();
        QVERIFY(w.window.isToggled());
        QVERIFY(w.action("PopupMenu2", QStringLiteral("Toggle &font"))->isChecked());
        w.window.setToggled(false); // as the main window does at start
        QVERIFY(!w.action("PopupMenu1", QStringLiteral("Vaihda &font"))->isChecked());
    }

    void editMenuActsOnThePanes() {
        WindowFixture w;
        w.f.engine->ShowMonitorText("monitor text", 6);
        w.action("MainMenu1", QStringLiteral("&Valitse kaikki"))->trigger();
        QCOMPARE(w.monitorPane()->textCursor().selectedText(),
                 QStringLiteral("monitor text\u2029"));
    }

    void speaksTheChosenLanguage_data() {
        QTest::addColumn<int>("kieli");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("activeMenu");
        QTest::addColumn<QStringList>("menuTitles");
        QTest::newRow("Finnish")
            << 0 << QStringLiteral("Laita TNC päälle ennen ohjelman käynnistystä")
            << QStringList{QStringLiteral("Komento"), QStringLiteral("Monitoriruutu")}
            << QStringLiteral("Voit muuttaa Komento-ruudun kokoa.") << QStringLiteral("MainMenu1")
            << QStringList{QStringLiteral("&Muokkaa"), QStringLiteral("&Siirto")};
        QTest::newRow("English") << 1 << QStringLiteral("Turn on TNC before starting program")
                                 << QStringList{QStringLiteral("Command window"),
                                                QStringLiteral("Monitor window")}
                                 << QStringLiteral("You can resize Command window")
                                 << QStringLiteral("MainMenu2")
                                 << QStringList{QStringLiteral("&Edit"),
                                                QStringLiteral("&Transfer")};
    }

    void speaksTheChosenLanguage() {
        QFETCH(int, kieli);
        QFETCH(QString, caption);
        QFETCH(QStringList, boxes);
        QFETCH(QString, hint);
        QFETCH(QString, activeMenu);
        QFETCH(QStringList, menuTitles);
        WindowFixture w(kieli);
        QCOMPARE(w.window.windowTitle(), caption);
        QCOMPARE(w.window.findChild<QGroupBox *>(QStringLiteral("Komento"))->title(), boxes[0]);
        QCOMPARE(w.window.findChild<QGroupBox *>(QStringLiteral("Monitori_ruutu"))->title(),
                 boxes[1]);
        QCOMPARE(w.window.findChild<QSplitter *>(QStringLiteral("Splitter1"))->handle(1)->toolTip(),
                 hint);
        auto *menu = w.window.findChild<QMenuBar *>(activeMenu);
        QVERIFY(menu->isVisible());
        QStringList titles;
        for (QAction *action : menu->actions())
            titles << action->text();
        QCOMPARE(titles, menuTitles);
        const QString other = activeMenu == QLatin1String("MainMenu1")
                                  ? QStringLiteral("MainMenu2")
                                  : QStringLiteral("MainMenu1");
        QVERIFY(!w.window.findChild<QMenuBar *>(other)->isVisible());
        // The caption the host-mode control sets replaces the first one.
        w.window.setWindowTitle(QStringLiteral("changes to HOST mode"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("changes to HOST mode"));
    }
};

QTEST_MAIN(MonitorWindowTest)
#include "test_monitorwindow.moc"
