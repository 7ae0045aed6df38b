#pragma once

#include "core/Clock.h"
#include "core/IniFile.h"
#include "core/OemConversion.h"
#include "core/Options.h"
#include "core/ProgramDirectory.h"
#include "core/Settings.h"
#include "core/WindowPlacement.h"

#include <QObject>
#include <QTime>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace krx {

class HostModeControl;
class Prompter;
class Shell;
class SoundPlayer;
class Transport;

// The services of the platform that the engine reaches through seams.
struct Services {
    Clock &clock;
    Prompter &prompter;
    SoundPlayer &sound;
    Shell &shell;
};

// What a window hands over at the orderly end: where it is and whether it shows the toggle font.
struct WindowEndState {
    WindowPlacement placement;
    bool toggled = false;
};

struct EndState {
    std::vector<WindowEndState> channels; // channel windows 1..n in order
    WindowEndState monitor;
    WindowEndState lists;
    WindowPlacement mainWindow;
};

// The engine of the main window: the settings for the whole run, the option toggles, the
// main window's timers, the close decision and the write-backs of the orderly end.
class Kernel : public QObject {
    Q_OBJECT
public:
    static constexpr int endTimerMs = 400;
    // The platform family the text windows and the About box read: 6 stands for the newest
    // family of the system the program comes from, which this platform matches.
    static constexpr int windowsFamilyCode = 6;

    enum class Start { CreateChannels, StartSetup };
    enum class CloseDecision { CloseNow, WaitForHostMode, Stay };

    Kernel(ProgramDirectory directory, QString programName, Services services);
    ~Kernel() override;

    // Reads the settings when the main settings file exists; otherwise this is a first run.
    Start start();

    const ProgramDirectory &directory() const { return directory_; }
    const Services &services() const { return services_; }
    const Settings &settings() const { return settings_; }
    Language language() const { return settings_.language; }
    QString mainSettingsPath() const { return mainSettingsPath_; }
    bool firstRun() const { return firstRun_; }
    bool notConfigured() const { return !firstRun_ && settings_.notConfigured; }
    bool channelCountValid() const;
    QString wrongChannelCountText() const;

    bool option(Option option) const { return options_[option]; }
    // Flips an option; remembering positions is written to misc.ini at once.
    void setOption(Option option, bool on);

    // The toggle font; applying it from the font dialog changes it for this run only.
    const ToggleFontSetting &toggleFont() const { return toggleFont_; }
    void applyToggleFont(const ToggleFontSetting &font);
    // Chosen with OK in the font dialog: kept and written.
    void chooseToggleFont(const ToggleFontSetting &font);
    WindowToggles &windowToggles() { return toggles_; }

    // Saved window positions; nothing is read or written unless positions are remembered.
    std::optional<WindowPlacement> restorePosition(const QByteArray &windowKey) const;
    void savePosition(const QByteArray &windowKey, const WindowPlacement &placement);

    int activeChannel() const { return activeChannel_; }
    void selectChannel(int channel);
    int pollBurst() const { return pollBurst_; }
    void resetPollBurst() { pollBurst_ = 1; }

    // A key press or a mouse action of the user.
    void noteActivity();
    QTime lastActivity() const { return lastActivity_; }

    CloseDecision decideClose();
    bool closingRequested() const { return closingRequested_; }
    bool purgeAtEnd() const { return purgeAtEnd_; }
    // Writes back what the orderly end keeps for the next run.
    void finishRun(const EndState &state);
    // Writes the three transfer flags to the main settings file.
    void writeTransferFlags();

    const OemConversion &oem() const { return oem_; }
    // The main settings file, open for the whole run (the list-column detection writes to it).
    IniFile &mainSettingsFile() { return *mainFile_; }
    HostModeControl &hostMode() { return *hostMode_; }
    // Opens the transport of the settings and starts host mode; a transport this platform
    // does not have is reported and nothing is opened.
    void startHostMode();
    using TransportFactory = std::function<std::unique_ptr<Transport>(const Settings &)>;
    // The transports of the settings by default; tests put a simulated TNC in their place.
    void setTransportFactory(TransportFactory factory) { transportFactory_ = std::move(factory); }
    // After the TNC initialisation: the automatic fetch timers start (or the idle timer).
    void startAutomaticTimers();

    Timer &endTimer() { return *endTimer_; }
    Timer &headerFetchTimer() { return *headerFetchTimer_; }
    Timer &messageFetchTimer() { return *messageFetchTimer_; }
    Timer &idleTimer() { return *idleTimer_; }
    Timer &dxQuietTimer() { return *dxQuietTimer_; }

signals:
    void optionChanged(krx::Option option, bool on);
    void toggleFontChanged();
    // The end timer has fired and the transfer flags are written: the lists window does its
    // end-of-run work and the main window then closes.
    void endOfRunReached();

private:
    void configureTimers();
    void reportWriteError(const std::optional<QString> &error);
    void writeMisc(const char *section, const QByteArray &key, int value);

    ProgramDirectory directory_;
    QString programName_;
    Services services_;
    QString mainSettingsPath_;
    std::unique_ptr<IniFile> mainFile_;
    std::unique_ptr<IniFile> miscFile_;
    Settings settings_;
    Options options_;
    ToggleFontSetting toggleFont_;
    WindowToggles toggles_;

    bool firstRun_ = false;
    bool closingRequested_ = false;
    bool purgeAtEnd_ = false;
    int activeChannel_ = 0;
    int pollBurst_ = 1;
    QTime lastActivity_;

    OemConversion oem_;
    TransportFactory transportFactory_;
    std::unique_ptr<Timer> endTimer_;
    std::unique_ptr<Timer> headerFetchTimer_;
    std::unique_ptr<Timer> messageFetchTimer_;
    std::unique_ptr<Timer> idleTimer_;
    std::unique_ptr<Timer> dxQuietTimer_;
    std::unique_ptr<HostModeControl> hostMode_;
};

} // namespace krx
