#include "monitor/ui/TPohja.h"

#include "core/CodePage.h"
#include "monitor/MonitorEngine.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ui/MonitorCommandPane.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace krx {

namespace {

namespace mt = monitor_texts;

constexpr Language languages[] = {Language::Finnish, Language::English};
constexpr int panelWidths[] = {200, 100, 50};
constexpr int widthInCharacters = 86;

// One character for every byte, as the pane counts them: each line end becomes one line
// break and other control characters show as blanks.
QString displayTextOf(const QByteArray &text) {
    QByteArray shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (byte == '\r' || byte == '\n')
            shown += '\n';
        else
            shown += byte >= 0 && byte < ' ' && byte != '\t' ? ' ' : byte;
    }
    return ansiToString(shown);
}

QTextCharFormat formatOf(MonitorStyle style) {
    QTextCharFormat format;
    format.setForeground(QColor::fromRgb(style.rgb));
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    return format;
}

QString scrollLockText(bool on) {
    return QString::fromLatin1(on ? mt::scrollLockOn : mt::scrollLockOff);
}

} // namespace

TPohja::TPohja(MonitorEngine &engine, QWidget *parent) : MdiChildWindow(parent), engine_(engine) {
    setObjectName(QStringLiteral("Pohja"));
    setWindowTitle(mt::initialCaption.in(engine_.language()));
    buildPanes();
    buildMenus();
    buildStatusBar();
    showPaneText();

    const MonitorPane &pane = engine_.pane();
    connect(&pane, &MonitorPane::appended, this, &TPohja::appendToPane);
    connect(&pane, &MonitorPane::trimmed, this, &TPohja::trimPane);
    connect(&pane, &MonitorPane::scrollLockChanged, this, &TPohja::showScrollLock);
    connect(&engine_, &MonitorEngine::loggingChanged, this, &TPohja::showLogging);
    connect(&engine_, &MonitorEngine::statusTextChanged, this, &TPohja::showStatus);
    connect(mon_kirj_, &MonitorCommandPane::unprotoLineEntered, this,
            [this](const QString &line) { engine_.sendUnprotoLine(stringToAnsi(line)); });
    connect(mon_kirj_, &MonitorCommandPane::commandLineEntered, this,
            [this](const QString &line) { engine_.sendCommandLine(stringToAnsi(line)); });
    connect(mon_kirj_, &MonitorCommandPane::controlCharacterTyped, this,
            [this](char character) { engine_.sendControlCharacter(character); });

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->availableGeometry().height() : 600;
    const int height = int(screenHeight * (screenHeight <= 600 ? 0.8 : 2.0 / 3.0));
    setPreferredSize(
        QSize(widthInCharacters * fontMetrics().horizontalAdvance(QLatin1Char('w')), height));
    sizeCommandPane();
    mon_kirj_->setMaximumBlockCount(engine_.pane().scrollLimit());
}

void TPohja::buildPanes() {
    const Language language = engine_.language();
    auto *commandBox = new QGroupBox(mt::commandBox.in(language));
    commandBox->setObjectName(QStringLiteral("Komento"));
    mon_kirj_ = new MonitorCommandPane(commandBox);
    auto *commandLayout = new QVBoxLayout(commandBox);
    commandLayout->setContentsMargins(2, 2, 2, 2);
    commandLayout->addWidget(mon_kirj_);

    auto *monitorBox = new QGroupBox(mt::monitorBox.in(language));
    monitorBox->setObjectName(QStringLiteral("Monitori_ruutu"));
    teksti_ = new QPlainTextEdit(monitorBox);
    teksti_->setObjectName(QStringLiteral("teksti"));
    teksti_->setReadOnly(true);
    teksti_->setUndoRedoEnabled(false);
    teksti_->setLineWrapMode(QPlainTextEdit::NoWrap);
    teksti_->setContextMenuPolicy(Qt::CustomContextMenu);
    teksti_->installEventFilter(this);
    mon_kirj_->installEventFilter(this);
    auto *monitorLayout = new QVBoxLayout(monitorBox);
    monitorLayout->setContentsMargins(2, 2, 2, 2);
    monitorLayout->addWidget(teksti_);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(commandBox);
    splitter->addWidget(monitorBox);
    splitter->setStretchFactor(1, 1);
    splitter->handle(1)->setToolTip(mt::splitterHint.in(language));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter, 1);
}

void TPohja::buildMenus() {
    const Language active = engine_.language();
    for (const Language language : languages) {
        const bool english = language == Language::English;
        Menus &menus = menus_[english ? 1 : 0];
        const auto add = [&](QMenu *menu, const BiText &caption, void (TPohja::*handler)(),
                             const char *shortcut = nullptr) {
            QAction *action = menu->addAction(caption.in(language));
            connect(action, &QAction::triggered, this, handler);
            if (shortcut && language == active) {
                // Active while the focus is anywhere in this window, and only there.
                action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
                action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
                addAction(action);
            }
            return action;
        };
        const auto addCheckable = [&](QMenu *menu, const BiText &caption,
                                      void (TPohja::*handler)()) {
            QAction *action = add(menu, caption, handler);
            action->setCheckable(true);
            return action;
        };

        menus.mainMenu = new QMenuBar(this);
        menus.mainMenu->setObjectName(english ? QStringLiteral("MainMenu2")
                                              : QStringLiteral("MainMenu1"));
        QMenu *edit = menus.mainMenu->addMenu(mt::editMenu.in(language));
        add(edit, mt::cut, &TPohja::leikkaa1Click, "Ctrl+X");
        add(edit, mt::copy, &TPohja::Kopioi1Click, "Ctrl+C");
        add(edit, mt::paste, &TPohja::Liit1Click, "Ctrl+V");
        add(edit, mt::selectAll, &TPohja::Valitsekaikki1Click, "Ctrl+A");
        QMenu *transfer = menus.mainMenu->addMenu(mt::transferMenu.in(language));
        menus.log = addCheckable(transfer, mt::logToFile, &TPohja::Monitorilogiin1Click);

        menus.popupMenu = new QMenu(this);
        menus.popupMenu->setObjectName(english ? QStringLiteral("PopupMenu2")
                                               : QStringLiteral("PopupMenu1"));
        add(menus.popupMenu, mt::popupCopy, &TPohja::kopioi2Click);
        add(menus.popupMenu, mt::popupSelectAll, &TPohja::valitseekaikki1Click);
        menus.scrollLock = addCheckable(menus.popupMenu, mt::scrollLock, &TPohja::Scrollloc2Click);
        menus.toggleFont = addCheckable(menus.popupMenu, mt::toggleFont, &TPohja::Vaihdafont1Click);

        if (language == active)
            layout()->setMenuBar(menus.mainMenu);
        else
            menus.mainMenu->hide();
    }
    QMenu *popup = menus_[active == Language::English ? 1 : 0].popupMenu;
    connect(teksti_, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint &at) {
        popup->popup(teksti_->viewport()->mapToGlobal(at));
    });
}

void TPohja::buildStatusBar() {
    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    for (int index = 0; index < int(panels_.size()); ++index) {
        auto *panel = new QLabel(statusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(index + 1));
        panel->setMinimumWidth(panelWidths[index]); // wider when its text needs it
        statusBar->addWidget(panel);
        panels_[index] = panel;
    }
    panels_[1]->setText(scrollLockText(false));
    panels_[1]->installEventFilter(this);
    layout()->addWidget(statusBar);
}

void TPohja::setScrollBack(int lines) {
    engine_.pane().setScrollLimit(lines);
    mon_kirj_->setMaximumBlockCount(engine_.pane().scrollLimit());
}

void TPohja::showPaneText() {
    for (const StyledRun &run : engine_.pane().runs())
        appendToPane(run.text, run.style);
}

void TPohja::appendToPane(const QByteArray &text, MonitorStyle style) {
    QTextCursor cursor(teksti_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(displayTextOf(text), formatOf(style));
    scrollToEndUnlessLocked();
}

void TPohja::trimPane(int lines, int characters) {
    QTextCursor cursor(teksti_->document());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, lines);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, characters);
    cursor.removeSelectedText();
    scrollToEndUnlessLocked();
}

void TPohja::scrollToEndUnlessLocked() {
    if (!engine_.pane().scrollLock())
        teksti_->verticalScrollBar()->setValue(teksti_->verticalScrollBar()->maximum());
}

void TPohja::showScrollLock(bool on) {
    for (const Menus &menus : menus_)
        menus.scrollLock->setChecked(on);
    panels_[1]->setText(scrollLockText(on));
    if (on)
        teksti_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

void TPohja::showLogging(bool on) {
    for (const Menus &menus : menus_)
        menus.log->setChecked(on);
}

void TPohja::showStatus(const QByteArray &text) {
    panels_[0]->setText(ansiToString(text));
}

void TPohja::sizeCommandPane() {
    const int lineHeight = QFontMetrics(mon_kirj_->font()).height();
    mon_kirj_->setMinimumHeight(2 * lineHeight + lineHeight / 2 + 1);
}

void TPohja::fontInUseChanged() {
    for (const Menus &menus : menus_)
        menus.toggleFont->setChecked(isToggled());
    sizeCommandPane();
}

void TPohja::closeEvent(QCloseEvent *event) {
    engine_.closeLog();
    MdiChildWindow::closeEvent(event);
}

bool TPohja::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_ScrollLock) {
            engine_.toggleScrollLock();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        // Typing in the monitor pane goes to the command pane.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == teksti_ && !key->text().isEmpty() && !key->matches(QKeySequence::Copy) &&
            !key->matches(QKeySequence::SelectAll)) {
            mon_kirj_->setFocus();
            QCoreApplication::sendEvent(mon_kirj_, event);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == panels_[1]) {
            engine_.toggleScrollLock();
            return true;
        }
        break;
    default:
        break;
    }
    return MdiChildWindow::eventFilter(watched, event);
}

void TPohja::leikkaa1Click() {
    if (mon_kirj_->hasFocus())
        mon_kirj_->cut();
}

void TPohja::Kopioi1Click() {
    if (mon_kirj_->hasFocus())
        mon_kirj_->copy();
    else if (teksti_->hasFocus())
        teksti_->copy();
}

void TPohja::Liit1Click() {
    if (mon_kirj_->hasFocus())
        mon_kirj_->paste();
}

void TPohja::Valitsekaikki1Click() {
    teksti_->selectAll();
}

void TPohja::Monitorilogiin1Click() {
    engine_.toggleLog();
    // A cancelled dialog leaves the log off; the check mark follows the log, not the click.
    showLogging(engine_.isLogging());
}

void TPohja::kopioi2Click() {
    teksti_->copy();
}

void TPohja::valitseekaikki1Click() {
    teksti_->selectAll();
}

void TPohja::Scrollloc2Click() {
    engine_.toggleScrollLock();
}

void TPohja::Vaihdafont1Click() {
    toggleFont();
}

} // namespace krx
