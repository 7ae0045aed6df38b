#include "terminal/ui/ChannelMenus.h"

#include "terminal/ui/ChannelWindowTexts.h"

#include <QMenu>
#include <QMenuBar>

namespace krx {

namespace {

using E = ChannelMenuEntry;

enum class Place { Edit, AutobinRx, AutobinTx, Transfer, Popup };

struct MenuEntry {
    E entry;
    Place place;
    const char *name; // the handler's name without "Click"
    BiText caption;
    const char *shortcut;
    BiText hint;
    bool checkable;
    bool available; // the file transfers arrive with their own procedures
};

constexpr BiText autobinRxHint{"Vastaanota tiedosto autobin-protokollalla.",
                               "Receive a file with the autobin protocol."};
constexpr BiText autobinTxHint{"Lähetä tiedosto autobin-protokollalla.",
                               "Send a file with the autobin protocol."};
constexpr BiText selectAllHint{"Valitse koko RX-ruudun teksti.",
                               "Select all text of the RX window."};

constexpr MenuEntry entries[] = {
    {E::Cut,
     Place::Edit,
     "Leikkaa1",
     {"&Leikkaa", "Cu&t"},
     "Ctrl+X",
     {"Leikkaa valittu teksti TX-ruudusta.", "Cut the selected text from the TX window."},
     false,
     true},
    {E::Copy,
     Place::Edit,
     "Kopioi1",
     {"&Kopioi", "&Copy"},
     "Ctrl+C",
     {"Kopioi valittu teksti.", "Copy the selected text."},
     false,
     true},
    {E::Paste,
     Place::Edit,
     "Liit1",
     {"L&iitä", "&Paste"},
     "Ctrl+V",
     {"Liitä teksti TX-ruutuun.", "Paste text into the TX window."},
     false,
     true},
    {E::SelectAll,
     Place::Edit,
     "ValitseKaikki2",
     {"Valitse &Kaikki", "Select All"},
     "Ctrl+A",
     selectAllHint,
     false,
     true},
    {E::AutobinRxFbb, Place::AutobinRx, "FBB1", {"FBB", "FBB"}, "", autobinRxHint, false, false},
    {E::AutobinRxKrx, Place::AutobinRx, "KRX1", {"KRX", "KRX"}, "", autobinRxHint, false, false},
    {E::AutobinRxT4, Place::AutobinRx, "T41", {"T4", "T4"}, "", autobinRxHint, false, false},
    {E::AutobinTxFbb, Place::AutobinTx, "FBB2", {"FBB", "FBB"}, "", autobinTxHint, false, false},
    {E::AutobinTxKrx, Place::AutobinTx, "KRX2", {"KRX", "KRX"}, "", autobinTxHint, false, false},
    {E::AutobinTxT4, Place::AutobinTx, "T42", {"T4", "T4"}, "", autobinTxHint, false, false},
    {E::FileRx,
     Place::Transfer,
     "TiedostoRX1",
     {"Tie&dosto RX", "&File RX"},
     "",
     {"Tallenna vastaanotettu data tiedostoon sellaisenaan.",
      "Save the received data to a file as is."},
     true,
     false},
    {E::FileTx,
     Place::Transfer,
     "TiedostoTX1",
     {"Tied&osto TX", "Fi&le TX"},
     "",
     {"Lähetä tiedosto sellaisenaan.", "Send a file as is."},
     true,
     false},
    {E::PopupCopy,
     Place::Popup,
     "kopioi2",
     {"K&opioi", "&Copy"},
     "",
     {"Kopioi valittu teksti RX-ruudusta.", "Copy the selected text of the RX window."},
     false,
     true},
    {E::PopupSelectAll,
     Place::Popup,
     "valitsekaikki1",
     {"&Valitse kaikki", "&Select All"},
     "",
     selectAllHint,
     false,
     true},
    {E::ToggleFont,
     Place::Popup,
     "Vaihdafont1",
     {"Vaihda &font", "Toggle &font"},
     "",
     {"Vaihda ikkunan fontti.", "Switch the window's font."},
     true,
     true},
    {E::ScrollLock,
     Place::Popup,
     "Scrolllock1",
     {"Scroll &Lock", "Scroll &Lock"},
     "",
     {"Pysäytä RX-ruudun vieritys.", "Stop the RX window from scrolling."},
     true,
     true},
};

} // namespace

ChannelMenus::ChannelMenus(Language language, QWidget *owner)
    : menuBar_(new QMenuBar(owner)), popup_(new QMenu(owner)) {
    namespace t = channelwindowtexts;
    const bool english = language == Language::English;
    menuBar_->setObjectName(english ? QStringLiteral("MainMenu2") : QStringLiteral("MainMenu1"));
    popup_->setObjectName(english ? QStringLiteral("PopupMenu2") : QStringLiteral("PopupMenu1"));
    QMenu *edit = menuBar_->addMenu(t::editMenu.in(language));
    QMenu *transfer = menuBar_->addMenu(t::transferMenu.in(language));
    const std::map<Place, QMenu *> menus{
        {Place::Edit, edit},
        {Place::AutobinRx, transfer->addMenu(t::autobinRxMenu.in(language))},
        {Place::AutobinTx, transfer->addMenu(t::autobinTxMenu.in(language))},
        {Place::Transfer, transfer},
        {Place::Popup, popup_},
    };
    for (const MenuEntry &entry : entries) {
        QAction *action = menus.at(entry.place)->addAction(entry.caption.in(language));
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setStatusTip(entry.hint.in(language));
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setCheckable(entry.checkable);
        action->setEnabled(entry.available);
        owner->addAction(action);
        actions_[entry.entry] = action;
    }
}

} // namespace krx
