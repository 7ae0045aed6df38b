#include "core/Kernel.h"

#include "core/CoreTexts.h"
#include "core/HostModeControl.h"
#include "core/Prompter.h"
#include "core/TransportFactory.h"
#include "transport/Transport.h"

#include <QFileInfo>

namespace krx {

namespace {

constexpr int maxChannels = 10;

QByteArray toggleKey(int channel) {
    return "toggle on " + QByteArray::number(channel);
}

} // namespace

Kernel::Kernel(ProgramDirectory directory, QString programName, Services services)
    : directory_(std::move(directory)), programName_(std::move(programName)), services_(services),
      endTimer_(services.clock.createTimer()), headerFetchTimer_(services.clock.createTimer()),
      messageFetchTimer_(services.clock.createTimer()), idleTimer_(services.clock.createTimer()),
      dxQuietTimer_(services.clock.createTimer()) {
    endTimer_->setInterval(endTimerMs);
    endTimer_->onTimeout([this] {
        endTimer_->stop();
        writeTransferFlags();
        emit endOfRunReached();
    });
    hostMode_ = std::make_unique<HostModeControl>(*this, *endTimer_);
    transportFactory_ = [this](const Settings &settings) {
        return createTransport(settings, services_);
    };
}

Kernel::~Kernel() = default;

Kernel::Start Kernel::start() {
    mainSettingsPath_ = directory_.mainSettingsPath(programName_);
    lastActivity_ = services_.clock.now().time();
    if (!QFileInfo::exists(mainSettingsPath_)) {
        firstRun_ = true;
        return Start::StartSetup;
    }
    mainFile_ = std::make_unique<IniFile>(mainSettingsPath_);
    miscFile_ = std::make_unique<IniFile>(directory_.resolve(QStringLiteral("data\\misc.ini")));
    LoadedSettings loaded = loadSettings(*mainFile_, *miscFile_, services_.clock);
    settings_ = std::move(loaded.settings);
    for (const QString &error : loaded.errors)
        services_.prompter.message(QString(), error, MessageIcon::Error, MessageButtons::Ok);

    options_.set(Option::RxCompressed, settings_.rxCompressed);
    options_.set(Option::TxCompressed, settings_.txCompressed);
    options_.set(Option::AddCrlf, settings_.addCrlf);
    options_.set(Option::RememberPositions, settings_.rememberPositions);
    options_.set(Option::AutoOem, settings_.autoOem);
    options_.set(Option::HtmlViewer, settings_.htmlViewer);
    oem_ = OemConversion(oemCodePageFromSetting(settings_.oemCodePage), settings_.autoOem);
    toggleFont_ = settings_.toggleFont;
    toggles_ = settings_.toggles;
    configureTimers();
    return Start::CreateChannels;
}

void Kernel::configureTimers() {
    headerFetchTimer_->setInterval(settings_.headerFetch.milliseconds());
    messageFetchTimer_->setInterval(settings_.messageFetch.milliseconds());
    idleTimer_->setInterval(settings_.idle.milliseconds());
    dxQuietTimer_->setInterval(settings_.dxSoundGapMs);
}

bool Kernel::channelCountValid() const {
    return settings_.channelCount >= 1 && settings_.channelCount <= maxChannels;
}

QString Kernel::wrongChannelCountText() const {
    return texts::wrongChannelCountBefore.in(language()) + QString::number(settings_.channelCount) +
           texts::wrongChannelCountAfter.in(language());
}

void Kernel::setOption(Option option, bool on) {
    options_.set(option, on);
    if (option == Option::AutoOem)
        oem_.setEnabled(on);
    if (option == Option::RememberPositions)
        writeMisc(keys::positionsSection, keys::rememberPositions, on ? 1 : 0);
    emit optionChanged(option, on);
}

void Kernel::applyToggleFont(const ToggleFontSetting &font) {
    toggleFont_ = font;
    emit toggleFontChanged();
}

void Kernel::chooseToggleFont(const ToggleFontSetting &font) {
    applyToggleFont(font);
    reportWriteError(miscFile_->writeString(keys::generalSection, "Font name", font.face));
    writeMisc(keys::generalSection, "Font size", font.pointSize);
    writeMisc(keys::generalSection, "Font set", font.charset);
    writeMisc(keys::generalSection, "Font color", font.colorBgr);
    writeMisc(keys::generalSection, "Font high", font.height);
}

std::optional<WindowPlacement> Kernel::restorePosition(const QByteArray &windowKey) const {
    if (!option(Option::RememberPositions) || !miscFile_)
        return std::nullopt;
    return WindowPositions(*miscFile_, *mainFile_).restore(windowKey);
}

void Kernel::savePosition(const QByteArray &windowKey, const WindowPlacement &placement) {
    if (!option(Option::RememberPositions) || !miscFile_)
        return;
    reportWriteError(WindowPositions(*miscFile_, *mainFile_).save(windowKey, placement));
}

void Kernel::selectChannel(int channel) {
    if (!closingRequested_)
        activeChannel_ = channel;
}

void Kernel::startHostMode() {
    if (notConfigured())
        return;
    std::unique_ptr<Transport> transport = transportFactory_(settings_);
    if (!transport) {
        services_.prompter.message(
            QString(), texts::transportNotAvailable.in(language()).arg(settings_.transportCode),
            MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    hostMode_->start(std::move(transport));
}

void Kernel::startAutomaticTimers() {
    if (settings_.idle.inUse()) {
        idleTimer_->start();
        return;
    }
    if (settings_.messageFetch.inUse())
        messageFetchTimer_->start();
    if (settings_.headerFetch.inUse())
        headerFetchTimer_->start();
}

void Kernel::noteActivity() {
    if (settings_.idle.inUse()) {
        idleTimer_->start();
        headerFetchTimer_->stop();
        messageFetchTimer_->stop();
    }
    lastActivity_ = services_.clock.now().time();
}

Kernel::CloseDecision Kernel::decideClose() {
    if (firstRun_) {
        closingRequested_ = true;
        purgeAtEnd_ = false;
        return CloseDecision::CloseNow;
    }
    if (closingRequested_ || !hostMode_->lineWatchdog().isActive())
        return CloseDecision::CloseNow;
    const MessageAnswer answer = services_.prompter.message(
        texts::purgeQuestionCaption.in(language()), texts::purgeQuestion.in(language()),
        MessageIcon::Warning, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Cancel)
        return CloseDecision::Stay;
    purgeAtEnd_ = answer == MessageAnswer::Yes;
    if (hostMode_->isInitialising())
        return CloseDecision::CloseNow;
    closingRequested_ = true;
    return CloseDecision::WaitForHostMode;
}

void Kernel::finishRun(const EndState &state) {
    if (firstRun_)
        return; // a first run writes nothing
    for (int n = 1; n <= int(state.channels.size()); ++n) {
        savePosition(windowkeys::channel(n), state.channels[n - 1].placement);
        writeMisc(keys::fontToggleSection, toggleKey(n), state.channels[n - 1].toggled ? 1 : 0);
        writeMisc("html ehto", "html sallittu", option(Option::HtmlViewer) ? 1 : 0);
    }
    hostMode_->closeTransport();
    savePosition(windowkeys::monitor, state.monitor.placement);
    savePosition(windowkeys::mainWindow, state.mainWindow);
    writeMisc(keys::fontToggleSection, "toggle on m", state.monitor.toggled ? 1 : 0);
    savePosition(windowkeys::lists, state.lists.placement);
    writeMisc(keys::fontToggleSection, "toggle on l", state.lists.toggled ? 1 : 0);
    writeMisc(keys::fontToggleSection, "toggle on read", toggles_.reader ? 1 : 0);
    writeMisc(keys::fontToggleSection, "toggle on write", toggles_.composer ? 1 : 0);
    writeMisc(keys::fontToggleSection, "toggle on plus", toggles_.plus ? 1 : 0);
    writeMisc(keys::fontToggleSection, "toggle on haku", toggles_.search ? 1 : 0);
    writeMisc(keys::fontToggleSection, "toggle on omi", toggles_.properties ? 1 : 0);
    writeMisc(keys::fontToggleSection, "auto oem", option(Option::AutoOem) ? 1 : 0);
    writeMisc("DX infos", "erotus", dxQuietTimer_->interval());
    reportWriteError(miscFile_->writeString("DX infos", "sana", settings_.dxSpecialString));
}

void Kernel::writeTransferFlags() {
    const auto flag = [this](Option option) { return this->option(option) ? 1 : 0; };
    reportWriteError(mainFile_->writeInteger(keys::generalSection, "RX pakattu siirto",
                                             flag(Option::RxCompressed)));
    reportWriteError(mainFile_->writeInteger(keys::generalSection, "TX pakattu siirto",
                                             flag(Option::TxCompressed)));
    reportWriteError(
        mainFile_->writeInteger(keys::generalSection, "TX lisaa CRLF", flag(Option::AddCrlf)));
}

void Kernel::writeMisc(const char *section, const QByteArray &key, int value) {
    reportWriteError(miscFile_->writeInteger(section, key, value));
}

void Kernel::reportWriteError(const std::optional<QString> &error) {
    if (error)
        services_.prompter.message(QString(), texts::settingsWriteFailed.in(language()).arg(*error),
                                   MessageIcon::Error, MessageButtons::Ok);
}

} // namespace krx
