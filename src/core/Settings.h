#pragma once

#include "core/Language.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>

namespace krx {

class Clock;
class IniFile;

// A period of one of the automatic timers; a period below one minute keeps the timer out of use.
struct TimerPeriod {
    int minutes = 0;

    bool inUse() const { return minutes >= 1; }
    int milliseconds() const { return minutes * 60000; }
};

// The user's toggle font as stored in misc.ini; `chosen` is false while no face has been set.
struct ToggleFontSetting {
    bool chosen = false;
    QByteArray face;
    int pointSize = 10;
    int charset = 0;
    int colorBgr = 0; // a Windows colour value: 0x00BBGGRR
    int height = -13; // negative: character height in pixels

    bool operator==(const ToggleFontSetting &) const = default;
};

// The per-window toggle flags of misc.ini, section `font toggle`.
struct WindowToggles {
    bool channel[11] = {}; // index 1..10
    bool monitor = false;
    bool lists = false;
    bool reader = false;     // toggle on read
    bool composer = false;   // toggle on write
    bool plus = false;       // toggle on plus
    bool search = false;     // toggle on haku
    bool properties = false; // toggle on omi
};

// Every value the program derives from its settings files at start.
struct Settings {
    int kieli = 0;
    Language language = Language::Finnish;

    // Own call: `ownCallSetting` is the whole upper-cased value (sent with the I command),
    // `ownCall` the part before "-", `baseSsid` the number after it.
    QByteArray ownCallSetting;
    QByteArray ownCall;
    int baseSsid = 0;
    int channelCount = 3;
    QByteArrayList initCommands;

    int transportCode = 0;
    int comport = 2;
    QByteArray serialDevice; // overrides `comport` when set
    QByteArray serialSettings;
    int baudRate = 19200;
    QByteArray agwAddress;
    int agwPort = 8000;
    QByteArray agwUserName;
    QByteArray agwPassword;

    QByteArray homeBbs;
    QByteArray bbsPrompt;
    QByteArray listCommand;
    QByteArray readCommand;
    QByteArray sendCommand;
    QByteArray promptCall; // the home BBS again, for prompt detection
    bool notConfigured = false;

    int paclen = 150;
    int receptionWatchdogMs = 0;
    int scrollBack = 30;
    QByteArray greeting;

    bool rxCompressed = true;
    bool txCompressed = true;
    bool addCrlf = false;

    TimerPeriod headerFetch;
    TimerPeriod messageFetch;
    TimerPeriod idle;
    int unprotoChannel = 0;

    bool rememberPositions = false;

    // misc.ini
    ToggleFontSetting toggleFont;
    WindowToggles toggles;
    bool flexnetMonitoring = true;
    bool htmlViewer = false;
    bool autoOem = true;
    int dxSoundGapMs = 0;
    QByteArray dxSpecialString;
    int oemCodePage = 850;
};

// The outcome of reading the settings: the values and any settings errors to show.
struct LoadedSettings {
    Settings settings;
    QStringList errors;
};

// Reads the main settings file and misc.ini in the order the program has always read them.
LoadedSettings loadSettings(const IniFile &mainFile, const IniFile &miscFile, const Clock &clock);

// The serial speed chosen by the `settings` value: 1200 when it has no comma or no number
// before it; 19200 (the port's own rate) for a number the port does not offer.
int baudRateFromSetting(const QByteArray &serialSettings);

// Section and key names that the program writes back.
namespace keys {
inline constexpr char generalSection[] = "krx asetus";
inline constexpr char fontToggleSection[] = "font toggle";
inline constexpr char positionsSection[] = "Ikkunoiden paikkat";
inline constexpr char rememberPositions[] = "muista paikat";
} // namespace keys

} // namespace krx
