#include "core/ui/Tkernel_form.h"

#include "core/CoreTexts.h"
#include "core/HostModeControl.h"
#include "core/Prompter.h"
#include "core/Shell.h"
#include "core/ui/ToggleFont.h"
#include "core/ui/ToolbarIcons.h"
#include "core/ui/WindowMessageEvent.h"
#include "monitor/MonitorEngine.h"
#include "monitor/ui/TPohja.h"
#include "store/MessageStore.h"
#include "store/ui/Tlista.h"
#include "terminal/QsoChannel.h"
#include "terminal/ui/TMDIChild.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

namespace krx {

namespace {

constexpr Language languages[] = {Language::Finnish, Language::English};
constexpr int bufferPanelWidth = 100;
constexpr int hintPanelWidth = 250;
constexpr int channelWindowOffset = 30;

int indexOf(Language language) {
    return language == Language::English ? 1 : 0;
}

QString buttonPrefix(Language language) {
    return language == Language::English ? QStringLiteral("e_") : QStringLiteral("n_");
}

QString shortHint(const BiText &hint, Language language) {
    return hint.in(language).section(QLatin1Char('|'), 0, 0);
}

QString longHint(const BiText &hint, Language language) {
    return hint.in(language).section(QLatin1Char('|'), 1);
}

// The commands that need the TNC set up and are switched off when the program is not configured.
constexpr Command automaticCommands[] = {Command::Bbs,          Command::DxCluster,
                                         Command::FetchHeaders, Command::FetchMessages,
                                         Command::SendMessages, Command::Disconnect};

} // namespace

Tkernel_form::Tkernel_form(Kernel &kernel, QWidget *parent)
    : QMainWindow(parent), kernel_(kernel), mdiArea_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("kernel_form"));
    mdiArea_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdiArea_);
    connect(&kernel_, &Kernel::optionChanged, this, &Tkernel_form::showOptionChecked);
    connect(&kernel_, &Kernel::toggleFontChanged, this, &Tkernel_form::applyToggleFontToWindows);
    connect(&kernel_, &Kernel::endOfRunReached, this, [this] {
        if (lists_)
            lists_->finishRun(kernel_.purgeAtEnd());
        close();
    });
    HostModeControl &hostMode = kernel_.hostMode();
    connect(&hostMode, &HostModeControl::monitorCaptionChanged, this,
            [this](const QString &caption) {
                if (monitor_)
                    monitor_->setWindowTitle(caption);
            });
    connect(&hostMode, &HostModeControl::bufferReport, this,
            [this](const QString &text) { bufferPanel_->setText(text); });
    connect(&hostMode, &HostModeControl::firstPollSent, this, [this] {
        if (TMDIChild *first = channelWindow(1))
            first->subWindow()->showNormal();
    });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (auto *child = window ? qobject_cast<MdiChildWindow *>(window->widget()) : nullptr) {
            const auto edit = child->editActions();
            setEditState(edit.cut, edit.copy, edit.paste);
        }
    });
    qApp->installEventFilter(this);
}

Tkernel_form::~Tkernel_form() {
    qApp->removeEventFilter(this);
    for (int channel = 1; channel <= maxChannels; ++channel)
        kernel_.hostMode().setChannelEndpoint(channel, nullptr);
    kernel_.hostMode().setMonitorEndpoint(nullptr);
}

void Tkernel_form::startUp() {
    const Kernel::Start start = kernel_.start();
    const Language language = kernel_.language();
    setWindowTitle(texts::applicationTitle.in(language));
    QApplication::setApplicationDisplayName(texts::applicationTitle.in(language));
    buildMenus();
    buildToolBars();
    buildStatusBar();

    monitorEngine_ = std::make_unique<MonitorEngine>(kernel_, kernel_.hostMode());
    kernel_.hostMode().setMonitorEndpoint(monitorEngine_.get());
    monitor_ = new TPohja(*monitorEngine_);
    monitor_->addTo(mdiArea_);
    if (start == Kernel::Start::CreateChannels)
        createListsWindow();
    applyToggleFontToWindows();

    if (start == Kernel::Start::CreateChannels)
        postMessage(CM_CREATE_CHANNELS, kernel_.settings().channelCount);
    else
        postMessage(CM_START_SETUP);
}

void Tkernel_form::createListsWindow() {
    auto *store = new MessageStore(
        kernel_.directory(), StoreSettings::from(kernel_.settings(), kernel_.mainSettingsFile()),
        StoreServices{kernel_.services().clock, kernel_.services().prompter, kernel_.oem(),
                      kernel_.mainSettingsFile()});
    lists_ = new Tlista(*store, kernel_.services().prompter,
                        {kernel_.language(), HeaderGridLayout::load(kernel_.mainSettingsFile())});
    store->setParent(lists_); // the lists window owns the store
    lists_->addTo(mdiArea_);
    connect(lists_, &Tlista::statusSummaryChanged, this, [this](const QString &summary) {
        listStatusField_->setText(summary);
        listStatusField_->setFixedWidth(
            listStatusField_->fontMetrics().horizontalAdvance(QLatin1Char('M')) *
            int(summary.size() + 1));
    });
    WindowMessageEvent::post(lists_, CM_LOAD_LISTS);
}

void Tkernel_form::postMessage(WindowMessage message, int wParam) {
    WindowMessageEvent::post(this, message, wParam);
}

void Tkernel_form::buildMenus() {
    const Language active = kernel_.language();
    for (const Language language : languages) {
        auto *bar = new QMenuBar(this);
        bar->setObjectName(language == Language::English ? QStringLiteral("MainMenu2")
                                                         : QStringLiteral("MainMenu1"));
        std::map<MainMenu, QMenu *> menus;
        for (const CommandEntry &entry : mainCommands()) {
            if (entry.menu == MainMenu::None)
                continue;
            QMenu *&menu = menus[entry.menu];
            if (!menu)
                menu = bar->addMenu(menuTitle(entry.menu).in(language));
            QAction *action = menu->addAction(entry.caption.in(language));
            action->setStatusTip(longHint(entry.hint, language));
            if (language == active && *entry.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
            if (entry.toggles) {
                action->setCheckable(true);
                action->setChecked(kernel_.option(*entry.toggles));
            }
            if (channelOfCommand(entry.command)) {
                action->setVisible(false);
                action->setEnabled(false);
            }
            const Command command = entry.command;
            connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
            menuActions_[indexOf(language)][command] = action;
            if (command == Command::Lists)
                othersMenus_[indexOf(language)] =
                    menu->addMenu(language == Language::English ? QStringLiteral("Others")
                                                                : QStringLiteral("muita"));
        }
        const int code = kernel_.settings().transportCode;
        menus[MainMenu::Flexnet]->menuAction()->setVisible(code == 1);
        menus[MainMenu::Agwpe]->menuAction()->setVisible(false);
        connect(menus[MainMenu::Connection], &QMenu::aboutToShow, this,
                [this, language] { updateConnectionMenu(language); });
        menus_[indexOf(language)] = bar;
        if (language == active)
            setMenuBar(bar);
        else
            bar->hide();
    }
}

void Tkernel_form::buildToolBars() {
    const Language active = kernel_.language();
    for (const Language language : languages) {
        auto *bar = new QToolBar(this);
        bar->setObjectName(language == Language::English ? QStringLiteral("ToolBar2")
                                                         : QStringLiteral("ToolBar1"));
        bar->setMovable(false);
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setIconSize(QSize(24, 24));
        for (const std::optional<Command> &item : toolbarLayout()) {
            if (!item) {
                bar->addSeparator();
                continue;
            }
            const CommandEntry &entry = commandEntry(*item);
            QAction *action = bar->addAction(toolbarIcon(*item), shortHint(entry.hint, language));
            action->setToolTip(shortHint(entry.hint, language));
            action->setStatusTip(longHint(entry.hint, language));
            const bool showsWindow = channelOfCommand(*item) || *item == Command::Monitor;
            action->setCheckable(showsWindow);
            const Command command = *item;
            connect(action, &QAction::triggered, this,
                    [this, command] { runCommand(command, true); });
            bar->widgetForAction(action)->setObjectName(buttonPrefix(language) +
                                                        QString::fromLatin1(entry.buttonWord));
        }
        auto *spacer = new QWidget(bar);
        spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        bar->addWidget(spacer);
        toolBars_[indexOf(language)] = bar;
        addToolBar(bar);
        bar->setVisible(language == active);
    }
    // The list-status field stays at the right end of the visible toolbar.
    listStatusField_ = new QLineEdit(this);
    listStatusField_->setObjectName(QStringLiteral("listStatus"));
    listStatusField_->setReadOnly(true);
    listStatusField_->setFixedWidth(260);
    listStatusField_->setToolTip(texts::listStatusHint.in(active));
    listStatusField_->setStatusTip(texts::listStatusHint.in(active));
    toolBar(active)->addWidget(listStatusField_);
}

void Tkernel_form::buildStatusBar() {
    bufferPanel_ = new QLabel(this);
    bufferPanel_->setObjectName(QStringLiteral("bufferPanel"));
    bufferPanel_->setFixedWidth(bufferPanelWidth);
    hintPanel_ = new QLabel(this);
    hintPanel_->setObjectName(QStringLiteral("hintPanel"));
    hintPanel_->setFixedWidth(hintPanelWidth);
    statusBar()->addWidget(bufferPanel_);
    statusBar()->addWidget(hintPanel_);
    statusBar()->setSizeGripEnabled(true);
}

QToolButton *Tkernel_form::toolButton(const QString &name) const {
    for (QToolBar *bar : toolBars_)
        if (auto *button = bar ? bar->findChild<QToolButton *>(name) : nullptr)
            return button;
    return nullptr;
}

void Tkernel_form::setButtonEnabled(const QString &name, bool enabled) {
    if (QToolButton *button = toolButton(name))
        button->defaultAction()->setEnabled(enabled);
}

void Tkernel_form::setButtonVisible(const QString &name, bool visible) {
    if (QToolButton *button = toolButton(name))
        button->defaultAction()->setVisible(visible);
}

void Tkernel_form::setButtonPressed(const QString &name, bool pressed) {
    if (QToolButton *button = toolButton(name))
        button->defaultAction()->setChecked(pressed);
}

void Tkernel_form::setEditState(bool cut, bool copy, bool paste) {
    const std::pair<const char *, bool> states[] = {
        {"leikkaa", cut}, {"kopioi", copy}, {"liita", paste}};
    for (const auto &[word, enabled] : states)
        for (const Language language : languages)
            setButtonEnabled(buttonPrefix(language) + QString::fromLatin1(word), enabled);
}

QAction *Tkernel_form::menuAction(Language language, Command command) const {
    const auto &actions = menuActions_[indexOf(language)];
    const auto it = actions.find(command);
    return it == actions.end() ? nullptr : it->second;
}

QMenuBar *Tkernel_form::mainMenu(Language language) const {
    return menus_[indexOf(language)];
}

QToolBar *Tkernel_form::toolBar(Language language) const {
    return toolBars_[indexOf(language)];
}

TMDIChild *Tkernel_form::channelWindow(int channel) const {
    return channel >= 1 && channel <= maxChannels ? channels_[channel] : nullptr;
}

bool Tkernel_form::event(QEvent *event) {
    if (event->type() == WindowMessageEvent::eventType()) {
        const auto *message = static_cast<WindowMessageEvent *>(event);
        handleMessage(message->message(), message->wParam());
        return true;
    }
    if (event->type() == QEvent::StatusTip) {
        if (hintPanel_)
            hintPanel_->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool Tkernel_form::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        if (watched->isWidgetType())
            kernel_.noteActivity();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tkernel_form::handleMessage(WindowMessage message, int wParam) {
    switch (message) {
    case CM_CREATE_CHANNELS:
        createChannels(wParam & 0xffff);
        break;
    case CM_START_SETUP:
        startSetup();
        break;
    case CM_SELECT_CHANNEL:
        kernel_.selectChannel(wParam & 0xffff);
        break;
    case CM_SETUP_DONE:
        close();
        break;
    default:
        break;
    }
}

void Tkernel_form::createChannels(int count) {
    const Settings &settings = kernel_.settings();
    WindowToggles &toggles = kernel_.windowToggles();
    lists_->showMinimizedInArea();
    if (kernel_.channelCountValid()) {
        for (int channel = 1; channel <= count; ++channel)
            createChannelWindow(channel);
        for (int channel = count + 1; channel <= maxChannels; ++channel)
            for (const Language language : languages)
                setButtonVisible(buttonPrefix(language) + QStringLiteral("c%1").arg(channel),
                                 false);
        channelWindowsCreated_ = true;
    } else {
        kernel_.services().prompter.message(QString(), kernel_.wrongChannelCountText(),
                                            MessageIcon::Warning, MessageButtons::Ok);
    }

    monitor_->setScrollBack(settings.scrollBack);
    monitor_->setBaseFontFace(windowFontFace());
    if (const auto placement = kernel_.restorePosition(windowkeys::mainWindow)) {
        setGeometry(placement->left, placement->top, placement->width, placement->height);
        if (placement->state == WindowPlacement::State::Maximised)
            showMaximized();
    }
    placeAndToggle(monitor_, windowkeys::monitor, toggles.monitor);
    lists_->setBaseFontFace(windowFontFace());
    placeAndToggle(lists_, windowkeys::lists, toggles.lists);

    if (!kernel_.notConfigured()) {
        kernel_.startHostMode();
    } else {
        for (const Command command : automaticCommands)
            for (const Language language : languages)
                setButtonEnabled(buttonPrefix(language) +
                                     QString::fromLatin1(commandEntry(command).buttonWord),
                                 false);
        kernel_.services().prompter.show(texts::firstRunWarning.in(kernel_.language()));
    }
}

void Tkernel_form::createChannelWindow(int channel) {
    HostModeControl &hostMode = kernel_.hostMode();
    auto engine = std::make_unique<QsoChannel>(channel, kernel_, hostMode, hostMode.channels());
    hostMode.setChannelEndpoint(channel, engine.get());
    auto *window = new TMDIChild(*engine, kernel_.language());
    connect(engine.get(), &QsoChannel::connectionButtonsDown, this, [this, channel](bool down) {
        for (const Language language : languages)
            setButtonPressed(buttonPrefix(language) + QStringLiteral("c%1").arg(channel), down);
    });
    connect(window, &TMDIChild::editStateChanged, this, &Tkernel_form::setEditState);
    channelEngines_[channel] = std::move(engine);
    window->addTo(mdiArea_);
    window->subWindow()->move(channel * channelWindowOffset, channel * channelWindowOffset);
    window->setBaseFontFace(windowFontFace());
    window->showMinimizedInArea();
    channels_[channel] = window;
    kernel_.resetPollBurst();
    placeAndToggle(window, windowkeys::channel(channel), kernel_.windowToggles().channel[channel]);
    for (const Language language : languages) {
        QAction *item = menuAction(language, channelCommand(channel));
        item->setVisible(true);
        item->setEnabled(true);
    }
    connect(window, &MdiChildWindow::activated, this,
            [this, channel] { postMessage(CM_SELECT_CHANNEL, channel); });
}

void Tkernel_form::placeAndToggle(MdiChildWindow *window, const QByteArray &positionKey,
                                  bool toggled) {
    if (const auto placement = kernel_.restorePosition(positionKey))
        window->applyPlacement(*placement);
    window->setToggled(toggled);
}

void Tkernel_form::startSetup() {
    kernel_.services().prompter.message(
        QString(),
        texts::settingsFileMissing.in(kernel_.language()).arg(kernel_.mainSettingsPath()),
        MessageIcon::Warning, MessageButtons::Ok);
    close();
}

void Tkernel_form::updateConnectionMenu(Language language) {
    const bool configured = !kernel_.notConfigured();
    for (const Command command : automaticCommands)
        menuAction(language, command)->setEnabled(configured);
    const int active = kernel_.activeChannel();
    menuAction(language, Command::SysCommand)
        ->setEnabled(channelWindow(active) &&
                     kernel_.hostMode().channels()[active].linkState != LinkState::Disconnected);
    menuAction(language, Command::ConnectTo)->setEnabled(active != 0);
}

void Tkernel_form::showOptionChecked(Option option, bool on) {
    for (const CommandEntry &entry : mainCommands())
        if (entry.toggles == option)
            for (const Language language : languages)
                menuAction(language, entry.command)->setChecked(on);
}

void Tkernel_form::applyToggleFontToWindows() {
    const ToggleFontSetting &entry = kernel_.toggleFont();
    const QFont toggleFont = toggleFontOf(entry, font());
    const QColor color =
        entry.chosen ? colorOfBgr(entry.colorBgr) : palette().color(QPalette::Text);
    for (MdiChildWindow *window : childWindows())
        window->setToggleFont(toggleFont, color);
}

QList<MdiChildWindow *> Tkernel_form::childWindows() const {
    QList<MdiChildWindow *> windows;
    for (TMDIChild *channel : channels_)
        if (channel)
            windows << channel;
    if (monitor_)
        windows << monitor_;
    if (lists_)
        windows << lists_;
    return windows;
}

void Tkernel_form::chooseToggleFont() {
    const ToggleFontSetting before = kernel_.toggleFont();
    QFontDialog dialog(toggleFontOf(before, font()), this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // The dialog's live choice works as Apply: it changes the toggle font without writing it.
    connect(&dialog, &QFontDialog::currentFontChanged, this, [this](const QFont &chosen) {
        kernel_.applyToggleFont(toggleFontSettingOf(chosen, kernel_.toggleFont()));
    });
    if (dialog.exec() == QDialog::Accepted)
        kernel_.chooseToggleFont(toggleFontSettingOf(dialog.selectedFont(), before));
}

QString Tkernel_form::windowFontFace() const {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

void Tkernel_form::openManual() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString besideProgram =
        QCoreApplication::applicationDirPath() + QLatin1Char('/') + name + QStringLiteral(".html");
    const QString manual = QFileInfo::exists(besideProgram)
                               ? besideProgram
                               : kernel_.directory().resolve(name + QStringLiteral(".html"));
    kernel_.services().shell.open(manual);
}

void Tkernel_form::sendEditCommand(const char *slot) {
    QMdiSubWindow *active = mdiArea_->activeSubWindow();
    QWidget *target = active ? active->widget()->focusWidget() : nullptr;
    if (target)
        QMetaObject::invokeMethod(target, slot);
}

void Tkernel_form::runCommand(Command command, bool fromToolbar) {
    if (const auto channel = channelOfCommand(command)) {
        if (TMDIChild *window = channelWindow(*channel))
            window->bringToFront();
        if (fromToolbar)
            setButtonPressed(buttonPrefix(kernel_.language()) + QStringLiteral("c%1").arg(*channel),
                             kernel_.hostMode().channels()[*channel].linkState !=
                                 LinkState::Disconnected);
        return;
    }
    const CommandEntry &entry = commandEntry(command);
    if (entry.toggles) {
        kernel_.setOption(*entry.toggles, !kernel_.option(*entry.toggles));
        return;
    }
    switch (command) {
    case Command::Exit:
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        break;
    case Command::SetFont:
        chooseToggleFont();
        break;
    case Command::Cascade:
        mdiArea_->cascadeSubWindows();
        break;
    case Command::Tile:
        mdiArea_->tileSubWindows();
        break;
    case Command::Monitor:
        monitor_->bringToFront();
        if (fromToolbar)
            setButtonPressed(buttonPrefix(kernel_.language()) + QStringLiteral("monitori"), false);
        break;
    case Command::Lists:
        if (lists_)
            lists_->bringToFront();
        break;
    case Command::Contents:
        openManual();
        break;
    case Command::Cut:
        sendEditCommand("cut");
        break;
    case Command::Copy:
        sendEditCommand("copy");
        break;
    case Command::Paste:
        sendEditCommand("paste");
        break;
    default:
        break; // the commands of the automatic procedures and the other windows
    }
}

void Tkernel_form::closeEvent(QCloseEvent *event) {
    if (closing_) {
        event->accept();
        return;
    }
    switch (kernel_.decideClose()) {
    case Kernel::CloseDecision::CloseNow:
        closeNow();
        event->accept();
        break;
    case Kernel::CloseDecision::WaitForHostMode:
    case Kernel::CloseDecision::Stay:
        event->ignore();
        break;
    }
}

void Tkernel_form::closeNow() {
    closing_ = true;
    EndState state;
    for (int channel = 1; channel <= maxChannels; ++channel)
        if (TMDIChild *window = channels_[channel])
            state.channels.push_back({window->placement(), window->isToggled()});
    state.monitor = {monitor_->placement(), monitor_->isToggled()};
    if (lists_)
        state.lists = {lists_->placement(), lists_->isToggled()};
    const QRect frame = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    state.mainWindow = {isMinimized()   ? WindowPlacement::State::Minimised
                        : isMaximized() ? WindowPlacement::State::Maximised
                                        : WindowPlacement::State::Normal,
                        frame.left(), frame.top(), frame.width(), frame.height()};
    kernel_.finishRun(state);
    for (MdiChildWindow *window : childWindows())
        window->setClosingAllowed(true);
}

} // namespace krx
