#include "core/Settings.h"

#include "core/Clock.h"
#include "core/CoreTexts.h"
#include "core/IniFile.h"

namespace krx {

namespace {

constexpr char absentMarker[] = "error";
constexpr char noToggleFont[] = "xxxxx";
constexpr int maxScrollBack = 500;
constexpr int maxHomeBbsLength = 30;
constexpr int bbsCommandLength = 3;

struct OwnCall {
    QByteArray call;
    int ssid = 0;
    bool ssidReadable = true;
};

OwnCall splitOwnCall(const QByteArray &setting) {
    const int dash = setting.indexOf('-');
    if (dash < 0)
        return {setting};
    bool ok = false;
    const int ssid = setting.mid(dash + 1, 2).toInt(&ok, 10);
    return {setting.left(dash), ok ? ssid : 0, ok};
}

QByteArray withoutComment(const QByteArray &line) {
    const int semicolon = line.indexOf(';');
    return (semicolon < 0 ? line : line.left(semicolon)).trimmed();
}

QByteArrayList initCommandList(const IniFile &mainFile, const QByteArray &ownCallSetting,
                               int channelCount) {
    QByteArrayList commands;
    for (const QByteArray &key : mainFile.keys("TNC INIT"))
        commands << withoutComment(mainFile.readString("TNC INIT", key, {}));
    commands << "I " + ownCallSetting;
    commands << "Y " + QByteArray::number(channelCount);
    return commands;
}

// A TNC that stamps frames with the time (K 1 or K 2) is given the date and the time.
void appendClockLines(QByteArrayList &commands, const QDateTime &now) {
    const bool stamping = std::any_of(commands.begin(), commands.end(), [](const QByteArray &line) {
        const QByteArray upper = line.toUpper();
        return upper.contains("K 2") || upper.contains("K 1");
    });
    if (!stamping)
        return;
    const QByteArray stamp = now.toString(QStringLiteral("dd.MM.yy HH:mm:ss")).toLatin1();
    commands << "K " + stamp.left(8);
    commands << "K " + stamp.mid(9, 8);
}

bool sameCall(const QByteArray &a, const char *b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void readToggles(const IniFile &misc, WindowToggles &toggles) {
    const auto flag = [&misc](const QByteArray &key) {
        return misc.readInteger(keys::fontToggleSection, key, 0) == 1;
    };
    for (int channel = 1; channel <= 10; ++channel)
        toggles.channel[channel] = flag("toggle on " + QByteArray::number(channel));
    toggles.monitor = flag("toggle on m");
    toggles.lists = flag("toggle on l");
    toggles.reader = flag("toggle on read");
    toggles.composer = flag("toggle on write");
    toggles.plus = flag("toggle on plus");
    toggles.search = flag("toggle on haku");
    toggles.properties = flag("toggle on omi");
}

ToggleFontSetting readToggleFont(const IniFile &misc) {
    ToggleFontSetting font;
    font.face = misc.readString(keys::generalSection, "Font name", noToggleFont);
    font.chosen = font.face != noToggleFont;
    if (!font.chosen)
        return font;
    font.pointSize = misc.readInteger(keys::generalSection, "Font size", 10);
    font.charset = misc.readInteger(keys::generalSection, "Font set", 0);
    font.colorBgr = misc.readInteger(keys::generalSection, "Font color", 0);
    font.height = misc.readInteger(keys::generalSection, "Font high", -13);
    return font;
}

} // namespace

int baudRateFromSetting(const QByteArray &serialSettings) {
    const int comma = serialSettings.indexOf(',');
    bool ok = false;
    const int number = comma < 0 ? 0 : serialSettings.left(comma).trimmed().toInt(&ok, 10);
    if (!ok)
        return 1200;
    static constexpr int offered[] = {1200, 9600, 19200, 38400, 56000, 57600, 115200};
    return std::find(std::begin(offered), std::end(offered), number) != std::end(offered) ? number
                                                                                          : 19200;
}

LoadedSettings loadSettings(const IniFile &mainFile, const IniFile &miscFile, const Clock &clock) {
    LoadedSettings loaded;
    Settings &s = loaded.settings;
    const auto text = [&mainFile](const char *section, const char *key, const char *fallback) {
        return mainFile.readString(section, key, fallback);
    };
    const auto number = [&mainFile](const char *section, const char *key, int fallback) {
        return mainFile.readInteger(section, key, fallback);
    };

    s.kieli = number("krx asetus", "kieli", 0);
    s.language = languageFromSetting(s.kieli);
    s.toggleFont = readToggleFont(miscFile);

    s.ownCallSetting = text("krx asetus", "oma kutsu", absentMarker).toUpper();
    const OwnCall own = splitOwnCall(s.ownCallSetting);
    s.ownCall = own.call;
    s.baseSsid = own.ssid;
    if (!own.ssidReadable)
        loaded.errors
            << texts::unreadableSsid.in(s.language).arg(QString::fromLatin1(s.ownCallSetting));
    s.channelCount = number("krx asetus", "kanavien maara", 3);
    s.initCommands = initCommandList(mainFile, s.ownCallSetting, s.channelCount);

    s.comport = number("portti asetus", "comport", 2);
    s.transportCode = number("portti asetus", "EMU", 0);
    if (s.transportCode == 0) {
        s.serialSettings = text("portti asetus", "settings", absentMarker);
        s.serialDevice = text("portti asetus", "device", "");
        s.baudRate = baudRateFromSetting(s.serialSettings);
    }
    if (s.transportCode == 3) {
        s.agwAddress = text("portti asetus", "AGW osoite", "127.0.0.1");
        s.agwPort = number("portti asetus", "AGW portti", 8000);
        s.agwUserName = text("portti asetus", "AGW user name", "");
        s.agwPassword = text("portti asetus", "AGW password", "");
    }
    if (s.transportCode == 0 || s.transportCode == 6)
        appendClockLines(s.initCommands, clock.now());

    s.homeBbs = text("laatikko", "oma BBS", absentMarker).toUpper().left(maxHomeBbsLength);
    s.bbsPrompt = text("laatikko", "bbs prompt", "\xe4\xe4\xe4\xe4\xe4").toUpper();
    s.notConfigured = sameCall(s.ownCall, "NOCALL") || sameCall(s.ownCall, absentMarker) ||
                      sameCall(s.homeBbs, "NOCALL");
    s.listCommand = text("laatikko", "list cmd", absentMarker).left(bbsCommandLength);
    s.readCommand = text("laatikko", "read cmd", absentMarker).left(bbsCommandLength);
    s.sendCommand = text("laatikko", "send cmd", absentMarker).left(bbsCommandLength);

    s.paclen = number("krx asetus", "PACLEN", 150);
    s.receptionWatchdogMs = number("krx asetus", "max odotus", 0) * 1000;
    s.scrollBack = std::min(number("krx asetus", "SELAUS MAARA", 30), maxScrollBack);
    s.greeting = text("krx asetus", "tervehdys", "");

    s.rxCompressed = number("krx asetus", "RX pakattu siirto", 3) > 0;
    s.txCompressed = number("krx asetus", "TX pakattu siirto", 3) > 0;
    s.addCrlf = number("krx asetus", "TX lisaa CRLF", 0) > 0;

    s.headerFetch.minutes = number("krx asetus", "lista aika", 30);
    s.unprotoChannel = number("laatikko", "unprotochannel", 0);
    s.messageFetch.minutes = number("krx asetus", "messu aika", 50);
    s.idle.minutes = number("krx asetus", "poissa aika", 50);

    s.promptCall = s.homeBbs;

    int remember = miscFile.readInteger(keys::positionsSection, keys::rememberPositions, -1);
    if (remember < 0)
        remember = mainFile.readInteger(keys::positionsSection, keys::rememberPositions, 0);
    s.rememberPositions = remember == 1;

    readToggles(miscFile, s.toggles);
    s.flexnetMonitoring = miscFile.readInteger("Flexnet", "Monitoring", 1) == 1;
    s.htmlViewer = miscFile.readInteger("html ehto", "html sallittu", 0) == 1;
    s.autoOem = miscFile.readInteger(keys::fontToggleSection, "auto oem", 1) != 0;
    s.dxSoundGapMs = miscFile.readInteger("DX infos", "erotus", 0);
    s.dxSpecialString = miscFile.readString("DX infos", "sana", "");
    s.oemCodePage =
        miscFile.readInteger(keys::generalSection, "oem codepage", 850) == 437 ? 437 : 850;
    return loaded;
}

} // namespace krx
