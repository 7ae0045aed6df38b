#include "core/ui/MainCommands.h"

#include <algorithm>
#include <array>

namespace krx {

namespace {

using C = Command;
using M = MainMenu;
constexpr std::nullopt_t none = std::nullopt;

// clang-format off: one command per entry reads better than the formatter's packing
constexpr CommandEntry commands[] = {
    {C::NewMessage,
     M::File,
     "F9",
     {"&Uusi viesti", "&New message"},
     "uusi",
     {"Uusi viesti|Kirjoita uusi viesti.", "New message|Write a new message."},
     none},
    {C::New7plus,
     M::File,
     "",
     {"Uusi &7PLUS", "New &7PLUS"},
     "plus7",
     {"Uusi 7PLUS|Tee tiedostosta 7PLUS-sarja.", "New 7PLUS|Make a 7PLUS series of a file."},
     none},
    {C::Exit,
     M::File,
     "",
     {"&Lopeta", "E&xit"},
     nullptr,
     {"Lopeta|Lopeta ohjelma.", "Exit|End the program."},
     none},

    {C::Bbs,
     M::Connection,
     "F2",
     {"&Postil.", "&MailBox"},
     "bbs",
     {"Postilaatikko|Ota yhteys postilaatikkoon.", "MailBox|Connect to the BBS."},
     none},
    {C::DxCluster,
     M::Connection,
     "F3",
     {"&DX cluster", "&DX cluster"},
     "dx",
     {"DX cluster|Ota yhteys DX clusteriin.", "DX cluster|Connect to the DX cluster."},
     none},
    {C::ConnectTo,
     M::Connection,
     "F4",
     {"Yht. &asemaan...", "Connection &to ..."},
     "yhteys",
     {"Yhteys asemaan|Ota yhteys asemaan yhteysskriptillä.",
      "Connection|Connect to a station with a connect script."},
     none},
    {C::FetchHeaders,
     M::Connection,
     "F5",
     {"&Hae listaa", "&List headers"},
     "otsikot",
     {"Hae otsikot|Hae uudet otsikot postilaatikosta.",
      "Fetch Headers|Fetch new headers from BBS."},
     none},
    {C::FetchMessages,
     M::Connection,
     "F6",
     {"hae &Viestit", "&Download messages"},
     "viestit",
     {"Hae viestit|Hae merkityt viestit postilaatikosta.",
      "Download messages|Download the marked messages from BBS."},
     none},
    {C::SendMessages,
     M::Connection,
     "F7",
     {"&Lähetä viestit", "&Send written messages"},
     "laheta",
     {"Lähetä viestit|Lähetä kirjoitetut viestit postilaatikkoon.",
      "Send messages|Send the written messages to BBS."},
     none},
    {C::Disconnect,
     M::Connection,
     "F8",
     {"&Keskeytä", "Dis&connect"},
     "katkaise",
     {"Keskeytä|Katkaise aktiivisen kanavan yhteys.", "Disconnect|Disconnect the active channel."},
     none},
    {C::SysCommand,
     M::Connection,
     "Ctrl+F2",
     {"&Sys komento", "S&ys command"},
     nullptr,
     {"Sys komento|Lähetä sysop-komento.", "Sys command|Send the sysop command."},
     none},

    {C::RxCompressed,
     M::Options,
     "",
     {"&RX pakattu", "&RX compressed"},
     nullptr,
     {"RX pakattu|Hae viestit pakattuna.", "RX compressed|Fetch messages compressed."},
     Option::RxCompressed},
    {C::TxCompressed,
     M::Options,
     "",
     {"&TX pakattu", "&TX compressed"},
     nullptr,
     {"TX pakattu|Lähetä viestit pakattuna.", "TX compressed|Send messages compressed."},
     Option::TxCompressed},
    {C::RememberPositions,
     M::Options,
     "",
     {"&Muista ikk.paikat", "&Save win pos"},
     nullptr,
     {"Muista ikkunoiden paikat|Palauta ikkunoiden paikat käynnistettäessä.",
      "Save window positions|Restore the window positions at start."},
     Option::RememberPositions},
    {C::AutoOem,
     M::Options,
     "",
     {"&Tee auto oemtoansi", "&Do auto oemtoansi"},
     nullptr,
     {"Auto oemtoansi|Muunna DOS-merkistö automaattisesti.",
      "Auto oemtoansi|Convert the DOS character set automatically."},
     Option::AutoOem},
    {C::DxSoundDelay,
     M::Options,
     "",
     {"&DX-äänien väliaika", "D&X sound delay"},
     nullptr,
     {"DX-äänien väliaika|Lyhin aika kahden DX-äänen välillä.",
      "DX sound delay|Shortest time between two DX sounds."},
     none},
    {C::DxSpecialString,
     M::Options,
     "",
     {"D&X vihje sana", "DX special strin&g"},
     nullptr,
     {"DX vihje sana|DX-ilmoitus tällä sanalla soittaa erikoisäänen.",
      "DX special string|A DX spot with this string plays the special sound."},
     none},
    {C::TimersOff,
     M::Options,
     "",
     {"&Ajastimet pois", "Timers &off"},
     nullptr,
     {"Ajastimet pois|Automaattiset haut pois päältä.",
      "Timers off|Automatic fetches switched off."},
     Option::TimersOff},
    {C::RemoteOff,
     M::Options,
     "",
     {"&Kauko-ohjaus pois", "Re&mote off"},
     nullptr,
     {"Kauko-ohjaus pois|Etäkomennot pois päältä.", "Remote off|Remote commands switched off."},
     Option::RemoteOff},
    {C::AddCrlf,
     M::Options,
     "",
     {"Lisää &CR/LF läh.mes", "&Add CRLF to tx message"},
     nullptr,
     {"Lisää CR/LF|Katkaise lähetettävien viestien pitkät rivit.",
      "Add CRLF|Break the long lines of sent messages."},
     Option::AddCrlf},
    {C::SetFont,
     M::Options,
     "",
     {"&Vaihda font", "Set &font"},
     nullptr,
     {"Vaihda font|Valitse vaihtofontti.", "Set font|Choose the toggle font."},
     none},
    {C::HtmlViewer,
     M::Options,
     "",
     {"Salli HTML-näyttö.", "Enable &HTML viewer."},
     nullptr,
     {"HTML-näyttö|Näytä HTML-viestit sivuina.", "HTML viewer|Show HTML messages as pages."},
     Option::HtmlViewer},

    {C::FlexnetStatistics,
     M::Flexnet,
     "",
     {"&Tilastoja", "&Statistics"},
     nullptr,
     {"Tilastoja|FlexNetin tilastot.", "Statistics|FlexNet statistics."},
     none},
    {C::AgwStatistics,
     M::Agwpe,
     "",
     {"Tilastoja", "Statistics"},
     nullptr,
     {"Tilastoja|AGWPE:n tilastot.", "Statistics|AGWPE statistics."},
     none},

    {C::Cascade,
     M::Windows,
     "",
     {"Cascade", "Cascade"},
     nullptr,
     {"Cascade|Aseta ikkunat limittäin.", "Cascade|Arrange the windows overlapping."},
     none},
    {C::Tile,
     M::Windows,
     "",
     {"Tile", "Tile"},
     nullptr,
     {"Tile|Aseta ikkunat vierekkäin.", "Tile|Arrange the windows side by side."},
     none},
#define KRX_CHANNEL(n, fiCaption, enCaption)                                                       \
    {                                                                                              \
        C::Channel##n, M::Windows, "Shift+F" #n, {fiCaption, enCaption}, "c" #n,                   \
            {"Kanava " #n "|Näytä kanava " #n ".", "Channel " #n "|Show channel " #n "."}, none    \
    }
    KRX_CHANNEL(1, "Kanava &1", "Channel &1"),
    KRX_CHANNEL(2, "Kanava &2", "Channel &2"),
    KRX_CHANNEL(3, "Kanava &3", "Channel &3"),
    KRX_CHANNEL(4, "Kanava &4", "Channel &4"),
    KRX_CHANNEL(5, "Kanava &5", "Channel &5"),
    KRX_CHANNEL(6, "Kanava &6", "Channel &6"),
    KRX_CHANNEL(7, "Kanava &7", "Channel &7"),
    KRX_CHANNEL(8, "Kanava &8", "Channel &8"),
    KRX_CHANNEL(9, "Kanava &9", "Channel &9"),
    KRX_CHANNEL(10, "Kanav&a 10", "Channe&l 10"),
#undef KRX_CHANNEL
    {C::Monitor,
     M::Windows,
     "Shift+F11",
     {"Kanava &0", "Channel &0"},
     "monitori",
     {"Monitori|Näytä monitori-ikkuna.", "Monitor|Show the monitor window."},
     none},
    {C::Lists,
     M::Windows,
     "Shift+F12",
     {"&Lista", "&List"},
     "lista",
     {"Listat|Näytä viestilistat.", "Lists|Show the message lists."},
     none},

    {C::Contents,
     M::Help,
     "F1",
     {"Sisältö", "&Contents"},
     "apua",
     {"Ohje|Avaa ohjelman ohje.", "Help|Open the manual of the program."},
     none},
    {C::About,
     M::Help,
     "",
     {"Tietoja..", "&About"},
     nullptr,
     {"Tietoja|Tietoja ohjelmasta.", "About|About the program."},
     none},

    {C::Cut,
     M::None,
     "",
     {"", ""},
     "leikkaa",
     {"Leikkaa|Leikkaa valittu teksti.", "Cut|Cut the selected text."},
     none},
    {C::Copy,
     M::None,
     "",
     {"", ""},
     "kopioi",
     {"Kopioi|Kopioi valittu teksti.", "Copy|Copy the selected text."},
     none},
    {C::Paste,
     M::None,
     "",
     {"", ""},
     "liita",
     {"Liitä|Liitä teksti leikepöydältä.", "Paste|Paste text from the clipboard."},
     none},
};

constexpr std::optional<Command> toolbar[] = {
    C::Contents,
    C::Bbs,
    C::DxCluster,
    C::ConnectTo,
    none,
    C::FetchHeaders,
    C::FetchMessages,
    C::SendMessages,
    C::Disconnect,
    none,
    C::NewMessage,
    C::New7plus,
    none,
    none,
    C::Cut,
    C::Copy,
    C::Paste,
    none,
    C::Lists,
    C::Monitor,
    C::Channel1,
    C::Channel2,
    C::Channel3,
    C::Channel4,
    C::Channel5,
    C::Channel6,
    C::Channel7,
    C::Channel8,
    C::Channel9,
    C::Channel10,
    none,
};
// clang-format on

} // namespace

std::span<const CommandEntry> mainCommands() {
    return commands;
}

const CommandEntry &commandEntry(Command command) {
    return *std::find_if(std::begin(commands), std::end(commands),
                         [command](const CommandEntry &entry) { return entry.command == command; });
}

BiText menuTitle(MainMenu menu) {
    switch (menu) {
    case M::File:
        return {"&Tiedosto", "&File"};
    case M::Connection:
        return {"&Yhteys", "&Connection"};
    case M::Options:
        return {"&Asetukset", "&Options"};
    case M::Flexnet:
        return {"&Flexnet", "&Flexnet"};
    case M::Agwpe:
        return {"A&gwpe", "A&gwpe"};
    case M::Windows:
        return {"&Ikkunat", "&Windows"};
    case M::Help:
        return {"&Ohje", "&Help"};
    case M::None:
        break;
    }
    return {"", ""};
}

std::span<const std::optional<Command>> toolbarLayout() {
    return toolbar;
}

} // namespace krx
