#include "../terminal/ChannelFixture.h"
#include "terminal/ui/ChannelMenus.h"
#include "terminal/ui/RxPane.h"
#include "terminal/ui/TMDIChild.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

using namespace krx;

namespace {

// A channel window on its engine.
class Fixture : public test::ChannelFixture {
public:
    explicit Fixture(const QByteArray &settings = {})
        : ChannelFixture(settings),
          window(std::make_unique<TMDIChild>(*engine, kernel->language())) {
        window->resize(600, 400);
        window->show();
    }

    QPlainTextEdit *tx() const { return window->txPane(); }
    RxPane *rx() const { return window->rxPane(); }
    // The RX pane's text with one line per block.
    QStringList rxBlocks() const { return rx()->toPlainText().split('\n'); }

    void typeInTx(const QString &text, int line, int column) {
        tx()->setPlainText(text);
        QTextCursor cursor(tx()->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        tx()->setTextCursor(cursor);
    }
    int caretLine() const { return tx()->textCursor().blockNumber(); }

    std::unique_ptr<TMDIChild> window;
};

} // namespace

class ChannelWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachCodeInItsColour_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("bold");
        const QColor blue(0, 0, 255), red(255, 0, 0), black(0, 0, 0), gray(128, 128, 128),
            green(0, 128, 0);
        QTest::newRow("1 command answer") << 1 << blue << false;
        QTest::newRow("2 error") << 2 << blue << false;
        QTest::newRow("3 link status") << 3 << blue << false;
        QTest::newRow("4 monitor header") << 4 << red << true;
        QTest::newRow("5 monitor header with data") << 5 << red << true;
        QTest::newRow("6 monitor data") << 6 << black << false;
        QTest::newRow("7 connected data") << 7 << black << false;
        QTest::newRow("8 own text") << 8 << gray << false;
        QTest::newRow("9 notice") << 9 << green << false;
    }
    void showsEachCodeInItsColour() {
        QFETCH(int, code);
        QFETCH(QColor, colour);
        QFETCH(bool, bold);
        Fixture f;
        f.engine->ShowText("before\r", 7);
        f.engine->ShowText("code " + QByteArray::number(code) + '\r', code);
        const QTextBlock block = f.rx()->document()->findBlockByNumber(1);
        QCOMPARE(block.text(), "code " + QString::number(code));
        const QTextCharFormat format = block.begin().fragment().charFormat();
        QCOMPARE(format.foreground().color(), colour);
        QCOMPARE(format.fontWeight() == QFont::Bold, bold);
        QCOMPARE(block.begin().fragment().length(), block.length() - 1); // one colour per line
    }

    void aLineMayChangeColour() {
        Fixture f;
        f.engine->ShowText("QQ2BBS> ", 7);
        f.engine->ShowText("L\r", 8);
        const QTextBlock block = f.rx()->document()->firstBlock();
        QCOMPARE(block.text(), QString("QQ2BBS> L"));
        auto fragment = block.begin();
        QCOMPARE(fragment.fragment().charFormat().foreground().color(), QColor(0, 0, 0));
        ++fragment;
        QCOMPARE(fragment.fragment().text(), QString("L"));
        QCOMPARE(fragment.fragment().charFormat().foreground().color(), QColor(128, 128, 128));
    }

    void controlCharactersShowAsBlanks() {
        Fixture f;
        f.engine->ShowText("spot\a\r", 7);
        QCOMPARE(f.rxBlocks().first(), QString("spot "));
    }

    void captionFromALinkStatusText() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QString("(1) DISCONNECTED "));
        f.response(3, "(1) CONNECTED to QQ2BBS\r");
        QCOMPARE(f.window->windowTitle(), QString("(1) CONNECTED to QQ2BBS"));
    }

    void scrollLockStopsTrimming() {
        Fixture f("SELAUS MAARA=5\r\n");
        QLabel *panel = f.window->statusPanel(2);
        QCOMPARE(panel->text(), QString("Scroll lock off"));
        for (int i = 0; i < 8; ++i)
            f.engine->ShowText("line " + QByteArray::number(i) + '\r', 7);
        QCOMPARE(f.rx()->blockCount(), 6); // five lines and the empty line after them

        QTest::mouseDClick(panel, Qt::LeftButton);
        QCOMPARE(panel->text(), QString("Scroll Lock On"));
        QAction *menuEntry = f.window->menus().action(ChannelMenuEntry::ScrollLock);
        QVERIFY(menuEntry->isChecked());
        for (int i = 8; i < 20; ++i)
            f.engine->ShowText("line " + QByteArray::number(i) + '\r', 7);
        QCOMPARE(f.rx()->blockCount(), 18);

        menuEntry->trigger();
        QCOMPARE(panel->text(), QString("Scroll Lock Off"));
        QVERIFY(!f.engine->scrollLock());
        f.engine->ShowText("line 20\r", 7);
        QCOMPARE(f.rxBlocks(),
                 (QStringList{"line 16", "line 17", "line 18", "line 19", "line 20", ""}));
    }

    void scrollLockKeyToggles() {
        Fixture f;
        QTest::keyClick(f.tx(), Qt::Key_ScrollLock);
        QVERIFY(f.engine->scrollLock());
        QTest::keyClick(f.rx(), Qt::Key_ScrollLock);
        QVERIFY(!f.engine->scrollLock());
    }

    void paneMirrorsTheModelThroughTheCharacterLimit() {
        Fixture f("SELAUS MAARA=500\r\n");
        for (int i = 0; i < 12; ++i)
            f.engine->ShowText(QByteArray(7000, char('a' + i)) + "\r" + QByteArray(i, 'z'), 7);
        QVERIFY(f.engine->rx().characterCount() <= RxLineModel::maxCharacters);
        QStringList modelLines;
        for (int i = 0; i < f.engine->rx().lineCount(); ++i)
            modelLines << QString::fromLatin1(f.engine->rx().line(i));
        QCOMPARE(f.rxBlocks(), modelLines);
    }

    void enterSendsTheCurrentLineWithoutSplittingIt() {
        Fixture f;
        f.setLinkState(LinkState::Connected);
        f.typeInTx("one\ntwo\nthree", 1, 1);
        QTest::keyClick(f.tx(), Qt::Key_Return);
        QCOMPARE(f.send.texts, QByteArrayList{"two\r"});
        QCOMPARE(f.tx()->toPlainText(), QString("one\ntwo\nthree"));
        QCOMPARE(f.caretLine(), 2);
    }

    void enterOnTheLastLineOpensANewLine() {
        Fixture f;
        f.setLinkState(LinkState::Connected);
        f.typeInTx("hello", 0, 2);
        QTest::keyClick(f.tx(), Qt::Key_Return);
        QCOMPARE(f.send.texts, QByteArrayList{"hello\r"});
        QCOMPARE(f.tx()->toPlainText(), QString("hello\n"));
        QCOMPARE(f.caretLine(), 1);
    }

    void enterWhileDisconnectedActsAsInAnEditor() {
        Fixture f;
        f.typeInTx("hello", 0, 2);
        QTest::keyClick(f.tx(), Qt::Key_Return);
        QVERIFY(f.send.texts.isEmpty());
        QCOMPARE(f.tx()->toPlainText(), QString("he\nllo"));
    }

    void ctrlEnterSendsACommand() {
        Fixture f;
        f.typeInTx("c QQ2BBS", 0, 8);
        QTest::keyClick(f.tx(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(f.send.commands, QByteArrayList{"c QQ2BBS"});
        QVERIFY(f.send.texts.isEmpty());
        QCOMPARE(f.tx()->toPlainText(), QString("c QQ2BBS\n"));
    }

    void controlKeysAreSentAndNotInserted_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << QByteArray("\t");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << QByteArray("\x1b");
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << int(Qt::ControlModifier) << QByteArray("\x02");
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << QByteArray("\x1a");
    }
    void controlKeysAreSentAndNotInserted() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QByteArray, sent);
        Fixture f;
        f.typeInTx("ab", 0, 2);
        QTest::keyClick(f.tx(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.send.texts, QByteArrayList{sent});
        QCOMPARE(f.tx()->toPlainText(), QString("ab"));
    }

    void backspaceEditsLocally() {
        Fixture f;
        f.setLinkState(LinkState::Connected);
        f.typeInTx("one\n", 1, 0);
        QTest::keyClick(f.tx(), Qt::Key_Backspace); // empty line: swallowed
        QCOMPARE(f.tx()->toPlainText(), QString("one\n"));
        f.typeInTx("one", 0, 3);
        QTest::keyClick(f.tx(), Qt::Key_Backspace);
        QCOMPARE(f.tx()->toPlainText(), QString("on"));
        QVERIFY(f.send.texts.isEmpty());
    }

    void keysTypedInTheRxPaneGoToTheTxPane() {
        Fixture f;
        f.rx()->setFocus();
        QTest::keyClicks(f.rx(), "hi");
        QCOMPARE(f.tx()->toPlainText(), QString("hi"));
    }

    void txPaneKeepsTheScrollLimit() {
        Fixture f("SELAUS MAARA=3\r\n");
        f.tx()->setPlainText("1\n2\n3\n4\n5");
        QCOMPARE(f.tx()->toPlainText(), QString("3\n4\n5"));
    }

    void statusBarShowsTheLinkStatus() {
        Fixture f;
        f.engine->ShowLinkStatus("0 0 0 0 0 4");
        QCOMPARE(f.window->statusPanel(0)->text(), QString("Status : 0 0 0 0 0 4"));
        QCOMPARE(f.window->statusPanel(1)->text(), QString("Information Transfer"));
        QCOMPARE(f.window->statusPanel(0)->width(), 200);
    }

    void meterBoxFollowsTheMeter() {
        Fixture f("kieli=1\r\n");
        auto *box = f.window->findChild<QGroupBox *>("tilaruutu");
        auto *bar = f.window->findChild<QProgressBar *>("mittari");
        QVERIFY(box->isHidden());
        f.engine->meter().OpenMeter("Autobin receiving a.zip", 2000);
        f.engine->meter().StepMeter(500);
        QVERIFY(box->isVisible());
        QCOMPARE(box->title(), QString("Autobin receiving a.zip"));
        QCOMPARE(bar->maximum(), 2000);
        QCOMPARE(bar->value(), 500);
        QCOMPARE(f.window->findChild<QLabel *>("koko")->text(), QString("500 bytes"));
        f.engine->meter().CloseMeter();
        QVERIFY(box->isHidden());
    }

    void menusInTheChosenLanguage_data() {
        QTest::addColumn<int>("kieli");
        QTest::addColumn<QString>("menuName");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("txCaption");
        QTest::newRow("Finnish") << 0 << "MainMenu1" << QStringList{"&Muokkaa", "&Siirto"}
                                 << "TX-ruutu";
        QTest::newRow("English") << 1 << "MainMenu2" << QStringList{"&Edit", "&Transfer"}
                                 << "TX window";
    }
    void menusInTheChosenLanguage() {
        QFETCH(int, kieli);
        QFETCH(QString, menuName);
        QFETCH(QStringList, titles);
        QFETCH(QString, txCaption);
        Fixture f("kieli=" + QByteArray::number(kieli) + "\r\n");
        auto *bar = f.window->findChild<QMenuBar *>(menuName);
        QVERIFY(bar);
        QStringList shown;
        for (QAction *action : bar->actions())
            shown << action->text();
        QCOMPARE(shown, titles);
        QCOMPARE(f.window->findChild<QGroupBox *>("TX")->title(), txCaption);
        // The file transfers come with their own procedures.
        QVERIFY(!f.window->menus().action(ChannelMenuEntry::FileRx)->isEnabled());
    }

    void fontToggleEntryFollowsTheWindow() {
        Fixture f;
        QAction *entry = f.window->menus().action(ChannelMenuEntry::ToggleFont);
        entry->trigger();
        QVERIFY(f.window->isToggled());
        QVERIFY(entry->isChecked());
        f.window->setToggled(false);
        QVERIFY(!entry->isChecked());
    }

    void editActionsDependOnThePane() {
        Fixture f;
        QSignalSpy state(f.window.get(), &TMDIChild::editStateChanged);
        f.window->activateWindow();
        f.rx()->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(f.rx()->hasFocus(), 1000);
        QCOMPARE(f.window->editActions().cut, false);
        QCOMPARE(f.window->editActions().copy, true);
        f.tx()->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(f.tx()->hasFocus(), 1000);
        QCOMPARE(f.window->editActions().paste, true);
        QVERIFY(!state.isEmpty());
        QCOMPARE(state.last(), (QVariantList{true, true, true}));
    }

    void closesOnlyWhenAllowed() {
        Fixture f;
        QVERIFY(!f.window->close());
        f.window->setClosingAllowed(true);
        QVERIFY(f.window->close());
    }
};

QTEST_MAIN(ChannelWindowTest)
#include "test_channelwindow.moc"
