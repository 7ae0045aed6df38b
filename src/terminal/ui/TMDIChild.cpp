#include "terminal/ui/TMDIChild.h"

#include "core/CodePage.h"
#include "terminal/QsoChannel.h"
#include "terminal/ui/ChannelMenus.h"
#include "terminal/ui/ChannelWindowTexts.h"
#include "terminal/ui/RxPane.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace krx {

namespace {

namespace t = channelwindowtexts;
using E = ChannelMenuEntry;

constexpr int smallScreenHeight = 600;
constexpr int widthInCharacters = 86;
constexpr int meterWidth = 320;
constexpr int meterHeight = 96;

// The character a key gives as the typing rules see it, or 0: Enter is CR, Ctrl+Enter LF,
// Ctrl with a letter the control character of that letter.
char typedControlOf(const QKeyEvent *event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control =
        modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return control ? '\n' : '\r';
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Tab:
        return '\t';
    case Qt::Key_Escape:
        return '\x1b';
    default:
        break;
    }
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char(key - Qt::Key_A + 1);
    if (control && key == Qt::Key_BracketLeft)
        return '\x1b';
    return 0;
}

bool isMenuShortcut(const QKeyEvent *event) {
    return event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Copy) ||
           event->matches(QKeySequence::Paste) || event->matches(QKeySequence::SelectAll);
}

} // namespace

TMDIChild::TMDIChild(QsoChannel &engine, Language language, QWidget *parent)
    : MdiChildWindow(parent), engine_(engine),
      menus_(std::make_unique<ChannelMenus>(language, this)) {
    setObjectName(QStringLiteral("QSO%1").arg(engine.channel()));
    setWindowTitle(QStringLiteral("(%1) DISCONNECTED ").arg(engine.channel()));
    buildPanes(language);
    buildMeter(language);
    buildStatusBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus_->menuBar());
    layout->addWidget(splitter_, 1);
    layout->addWidget(statusBar_);

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->availableGeometry().height() : 768;
    const int height =
        screenHeight <= smallScreenHeight ? screenHeight * 4 / 5 : screenHeight * 2 / 3;
    setPreferredSize(
        QSize(widthInCharacters * fontMetrics().horizontalAdvance(QLatin1Char('w')), height));

    connectMenus();
    connectEngine();
    // Typing goes to the TX pane whenever the window gets the focus.
    setFocusProxy(kirjoitus_);
}

TMDIChild::~TMDIChild() = default;

int TMDIChild::channel() const {
    return engine_.channel();
}

QLabel *TMDIChild::statusPanel(int panel) const {
    return statusPanels_[panel];
}

void TMDIChild::buildPanes(Language language) {
    txBox_ = new QGroupBox(t::txCaption.in(language));
    txBox_->setObjectName(QStringLiteral("TX"));
    kirjoitus_ = new QPlainTextEdit;
    kirjoitus_->setObjectName(QStringLiteral("kirjoitus"));
    kirjoitus_->setLineWrapMode(QPlainTextEdit::NoWrap);
    kirjoitus_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    kirjoitus_->installEventFilter(this);
    connect(kirjoitus_, &QPlainTextEdit::textChanged, this, &TMDIChild::keepTxLinesWithinLimit);
    auto *txLayout = new QVBoxLayout(txBox_);
    txLayout->setContentsMargins(2, 2, 2, 2);
    txLayout->addWidget(kirjoitus_);

    rxBox_ = new QGroupBox(t::rxCaption.in(language));
    rxBox_->setObjectName(QStringLiteral("RX"));
    memo_ = new RxPane(engine_.rx());
    memo_->installEventFilter(this);
    memo_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { menus_->popup()->popup(memo_->mapToGlobal(at)); });
    auto *rxLayout = new QVBoxLayout(rxBox_);
    rxLayout->setContentsMargins(2, 2, 2, 2);
    rxLayout->addWidget(memo_);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(txBox_);
    splitter_->addWidget(rxBox_);
    splitter_->setStretchFactor(1, 1);
    splitter_->handle(1)->setToolTip(t::splitterHint.in(language));
    fontInUseChanged();
}

void TMDIChild::buildMeter(Language language) {
    tilaruutu_ = new QGroupBox(t::meterCaption.in(language), rxBox_);
    tilaruutu_->setObjectName(QStringLiteral("tilaruutu"));
    tilaruutu_->setAutoFillBackground(true);
    tilaruutu_->resize(meterWidth, meterHeight);
    koko_ = new QLabel(t::sizeCaption.in(language));
    koko_->setObjectName(QStringLiteral("koko"));
    cps_ = new QLabel(QStringLiteral("cps"));
    cps_->setObjectName(QStringLiteral("cps"));
    cps_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mittari_ = new QProgressBar;
    mittari_->setObjectName(QStringLiteral("mittari"));
    mittari_->setRange(0, 100);
    auto *labels = new QHBoxLayout;
    labels->addWidget(koko_);
    labels->addWidget(cps_);
    auto *layout = new QVBoxLayout(tilaruutu_);
    layout->addLayout(labels);
    layout->addWidget(mittari_);
    tilaruutu_->hide();
}

void TMDIChild::buildStatusBar() {
    statusBar_ = new QStatusBar;
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    for (int panel = 0; panel < QsoChannel::statusPanelCount; ++panel) {
        auto *label = new QLabel(engine_.statusPanelText(panel));
        label->setFixedWidth(statusPanelWidths[panel]);
        label->setFrameShape(QFrame::StyledPanel);
        statusBar_->addWidget(label);
        statusPanels_[panel] = label;
    }
    // A double click on the scroll lock panel toggles it.
    statusPanels_[2]->installEventFilter(this);
}

void TMDIChild::connectMenus() {
    const auto onTriggered = [this](E entry, auto handler) {
        connect(menus_->action(entry), &QAction::triggered, this, handler);
    };
    onTriggered(E::Cut, [this] { cutFromTx(); });
    onTriggered(E::Copy, [this] { copyFromFocusedPane(); });
    onTriggered(E::Paste, [this] { pasteIntoTx(); });
    onTriggered(E::SelectAll, [this] { memo_->selectAll(); });
    onTriggered(E::PopupCopy, [this] { memo_->copy(); });
    onTriggered(E::PopupSelectAll, [this] { memo_->selectAll(); });
    onTriggered(E::ToggleFont, [this] { toggleFont(); });
    onTriggered(E::ScrollLock, [this] { engine_.toggleScrollLock(); });
}

void TMDIChild::connectEngine() {
    connect(&engine_, &QsoChannel::captionChanged, this, &QWidget::setWindowTitle);
    connect(&engine_, &QsoChannel::statusPanelChanged, this,
            [this](int panel, const QString &text) { statusPanels_[panel]->setText(text); });
    connect(&engine_, &QsoChannel::scrollLockChanged, this, &TMDIChild::showScrollLock);
    connect(&engine_.meter(), &TransferMeter::changed, this, &TMDIChild::showMeter);
    showScrollLock(engine_.scrollLock());
    showMeter();
}

MdiChildWindow::EditActions TMDIChild::editActions() const {
    if (memo_->hasFocus())
        return {false, true, false};
    return {true, true, true};
}

bool TMDIChild::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == kirjoitus_)
            return txKeyPress(static_cast<QKeyEvent *>(event));
        if (watched == memo_)
            return rxKeyPress(static_cast<QKeyEvent *>(event));
        break;
    case QEvent::ShortcutOverride:
        // Select All belongs to the RX pane even while the TX pane has the focus.
        if (watched == kirjoitus_ &&
            static_cast<QKeyEvent *>(event)->matches(QKeySequence::SelectAll))
            return true;
        break;
    case QEvent::KeyRelease:
        if ((watched == kirjoitus_ || watched == memo_) &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_ScrollLock) {
            engine_.toggleScrollLock();
            return true;
        }
        break;
    case QEvent::FocusIn:
        if (watched == kirjoitus_ || watched == memo_) {
            const EditActions edit = editActions();
            emit editStateChanged(edit.cut, edit.copy, edit.paste);
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == statusPanels_[2]) {
            engine_.toggleScrollLock();
            return true;
        }
        break;
    default:
        break;
    }
    return MdiChildWindow::eventFilter(watched, event);
}

bool TMDIChild::txKeyPress(QKeyEvent *event) {
    if (isMenuShortcut(event))
        return false;
    switch (const char typed = typedControlOf(event)) {
    case 0:
        return false;
    case '\b':
        return currentTxLine().isEmpty(); // edits locally; nothing to delete is swallowed
    case '\r':
        if (!engine_.typeEnter(currentTxLine()))
            return false; // disconnected: an ordinary line break
        finishTypedLine();
        return true;
    case '\n':
        engine_.typeCommand(currentTxLine());
        finishTypedLine();
        return true;
    default:
        return engine_.typeControl(typed);
    }
}

// Keys typed while the RX pane has the focus are meant for the TX pane.
bool TMDIChild::rxKeyPress(QKeyEvent *event) {
    if (isMenuShortcut(event) || (event->text().isEmpty() && typedControlOf(event) == 0))
        return false;
    kirjoitus_->setFocus();
    QKeyEvent again(event->type(), event->key(), event->modifiers(), event->text(),
                    event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(kirjoitus_, &again);
    return true;
}

// After a sent line the caret goes to the next line; text after it is never split.
void TMDIChild::finishTypedLine() {
    QTextCursor cursor = kirjoitus_->textCursor();
    if (cursor.atEnd()) {
        cursor.insertBlock();
    } else if (cursor.block().next().isValid()) {
        if (!cursor.movePosition(QTextCursor::Down))
            cursor.movePosition(QTextCursor::NextBlock);
    } else {
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
    }
    kirjoitus_->setTextCursor(cursor);
}

QByteArray TMDIChild::currentTxLine() const {
    return stringToAnsi(kirjoitus_->textCursor().block().text());
}

void TMDIChild::keepTxLinesWithinLimit() {
    const int excess = kirjoitus_->blockCount() - engine_.rx().scrollLimit();
    if (excess <= 0)
        return;
    QTextCursor cursor(kirjoitus_->document());
    cursor.setPosition(kirjoitus_->document()->findBlockByNumber(excess).position(),
                       QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TMDIChild::showScrollLock(bool on) {
    menus_->action(E::ScrollLock)->setChecked(on);
    if (on)
        memo_->scrollOneLineUp();
}

void TMDIChild::showMeter() {
    const TransferMeter &meter = engine_.meter();
    if (!meter.isOpen()) {
        tilaruutu_->hide();
        return;
    }
    tilaruutu_->setTitle(meter.caption());
    mittari_->setRange(0, meter.maximum());
    mittari_->setValue(meter.position());
    koko_->setText(meter.sizeText());
    cps_->setText(meter.speedText());
    placeMeter();
    tilaruutu_->show();
    tilaruutu_->raise();
}

void TMDIChild::placeMeter() {
    tilaruutu_->move((rxBox_->width() - tilaruutu_->width()) / 2,
                     (rxBox_->height() - tilaruutu_->height()) / 2);
}

void TMDIChild::resizeEvent(QResizeEvent *event) {
    MdiChildWindow::resizeEvent(event);
    placeMeter();
}

void TMDIChild::fontInUseChanged() {
    menus_->action(E::ToggleFont)->setChecked(isToggled());
    // Room for two and a half lines of text in the TX pane.
    const int lineHeight = kirjoitus_->fontMetrics().height();
    kirjoitus_->setMinimumHeight(2 * lineHeight + lineHeight / 2 + 1);
}

void TMDIChild::cutFromTx() {
    if (kirjoitus_->hasFocus())
        kirjoitus_->cut();
}

void TMDIChild::copyFromFocusedPane() {
    if (memo_->hasFocus())
        memo_->copy();
    else if (kirjoitus_->hasFocus())
        kirjoitus_->copy();
}

void TMDIChild::pasteIntoTx() {
    if (kirjoitus_->hasFocus())
        kirjoitus_->paste();
}

} // namespace krx
