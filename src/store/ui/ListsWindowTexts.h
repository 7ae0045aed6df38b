#pragma once

#include "core/Language.h"

// The texts of the lists window and its dialogs in both languages. A hint holds the short
// text before "|" (the tooltip) and the long one after it (the status bar). A text ending in
// a blank is followed by a name or a number where it is shown.
namespace krx::listswindowtexts {

inline constexpr BiText caption{"Listojen lista", "List of lists"};
inline constexpr BiText listCaptionStart{"Listan ", "Messages in list "};
inline constexpr BiText listCaptionEnd{" sisältö", ""};
inline constexpr BiText readingList{"Hetki.. Luetaan listaa", "Reading List.. wait..."};
inline constexpr BiText purgeNotice{"Listojen päivitys menossa.. Odota hetki",
                                    "Opening list.. one moment"};
inline constexpr BiText sevenPlusFiles{"Uudet vastaanotetut 7plus-tiedostot",
                                       "7+ files decoded during this session"};
inline constexpr BiText sevenPlusHint{
    "", "Double-click to execute|Double-click filename and windows executes selected file like in "
        "explore"};

// The colour legend above the counter columns.
inline constexpr BiText newHint{"Uusi viesti|Näitä otsikoita ei ole vielä kuitattu nähdyiksi",
                                "New message|New message title, not receipted yet."};
inline constexpr BiText toFetchHint{"Haettavia|Nämä viestit on merkitty haettavaksi.",
                                    "To fetch|These mesaage will be fetch from BBS."};
inline constexpr BiText unreadHint{"Lukemattomia|Nämä viestit on haettu, muttei vielä luettu",
                                   "Fetch message|These messages have fetch but not read yet."};
inline constexpr BiText toKillHint{"Poistetavat|Nämä viestit on merkitty poistettaviksi",
                                   "To kill|These message are selected to purge from harddisk."};
inline constexpr BiText readHint{
    "Luetut|Nämä viestit on haettu ja luettu",
    "Stored message|This message has fetch and read and stored to harddisk."};
inline constexpr BiText notSentHint{
    "Lähettämätön tai vastaanotto virhe|Näitä ei ole lähetetty tai vastaanotossa on tapahtunut "
    "virhe",
    "Not send/fetch error|Writen message not send yet or message fetch error occured while "
    "fetch."};

// Titles of the header grid's columns.
inline constexpr BiText numberTitle{"  Numero", "  Number"};
inline constexpr BiText typeTitle{"T", "T"};
inline constexpr BiText statusTitle{"S", "S"};
inline constexpr BiText sizeTitle{"Koko", "Size"};
inline constexpr BiText toTitle{"Kenelle", "To"};
inline constexpr BiText viaTitle{"Kautta", "Via"};
inline constexpr BiText fromTitle{"Keneltä", "From"};
inline constexpr BiText titleTitle{"Otsikko", "Title"};
inline constexpr BiText timeTitle{"B-Aika", "B-time"};

// The popup of the list of lists.
inline constexpr BiText showList{"Näytä lista", "Show list"};
inline constexpr BiText closeWindow{"Sulje ikkuna", "Close window"};
inline constexpr BiText toggleFontListItem{"Vaihda &Font", "Toggle &font"};

// The popup of the header grid.
inline constexpr BiText returnItem{"&Takaisin", "Return"};
inline constexpr BiText showMessage{"Näytä sisältö", "Show message."};
inline constexpr BiText markItem{"&Merkitse", "&Mark"};
inline constexpr BiText replyItem{"&Vastaa", "&Reply"};
inline constexpr BiText killItem{"&Poista", "&Kill"};
inline constexpr BiText searchItem{"&Etsi", "&Search"};
inline constexpr BiText moveToList{"Siirrä &Listaan", "Move to &List"};
inline constexpr BiText changeStatusItem{"vaihda &Statusta", "Change S&tatus"};
inline constexpr BiText propertiesItem{"&Ominaisuudet", "&Properties"};
inline constexpr BiText toggleFontGridItem{"Vaihda &font", "Toggle &font"};
inline constexpr BiText toListHint{"Listaan ", "To list "};

inline constexpr BiText emptyListSearch{"Ei voi hakea tyhjästä listasta.",
                                        "Could not search empty list."};
inline constexpr BiText newMessagesTip{"Uusia viestejä %1 kpl.", "New messages count %1"};

// The search window.
inline constexpr BiText searchCaption{"Etsitään viestiä", "Search message"};
inline constexpr BiText titleLabel{"Otsikko :", "Title"};
inline constexpr BiText titleFieldHint{"Otsikon teksti | Mitä tekstiä otsikosta pitäisi löytyä",
                                       "Title text|What text is part of title"};
inline constexpr BiText fromLabel{"Keneltä :", "From"};
inline constexpr BiText fromFieldHint{"Keneltä| Kenen lähettämää viestiä etsitään",
                                      "From|Who has send message"};
inline constexpr BiText toLabel{"Kenelle :", "To"};
inline constexpr BiText toFieldHint{"Kenelle| Kenelle lähetettyä viestiä etsitään",
                                    "Send to|To Whom is message send to"};
inline constexpr BiText containsLabel{"Sisältää:", "Contains"};
inline constexpr BiText containsFieldHint{"Sisätää..|Sana tai teksti, jonka messu sisältää.",
                                          "Contains....|Word or text that message should contain."};
inline constexpr BiText markFound{"&Valitse löydetyt otsikot luettaviksi.",
                                  "&Select found messages to be read"};
inline constexpr BiText markFoundHint{
    "", "change status to read|Mark found messages so that they will bee fetch"};
inline constexpr BiText forward{"&Eteenpäin", "&Forward"};
inline constexpr BiText forwardHint{"", "Search forward|Search forward for next match"};
inline constexpr BiText backward{"&Taaksepäin", "&Backward"};
inline constexpr BiText backwardHint{"", "Search backward|Search backward for next match"};
inline constexpr BiText findNext{"Etsi seur", "Find next"};
inline constexpr BiText findNextHint{"", "Find next message header match to given details"};
inline constexpr BiText closeSearch{"Peruuta", "Close"};
inline constexpr BiText closeSearchHint{"", "Close search window"};
inline constexpr BiText nothingToSearch{
    "Kaikki kentät eivät voi olla tyhjiä.\rEi ole mitää etsittävää.",
    "All fields can not be empty.\rThere is nothing to search."};

// The status change window.
inline constexpr BiText statusCaption{"Statuksen vaihto", "Change status"};
inline constexpr BiText noMarking{"Ei mitään ( )", "No marking ( )"};
inline constexpr BiText toBeFetched{"Haetaan (r)", "To be fetch (r)"};
inline constexpr BiText notReadYet{"Lukematon (R)", "Not read yet (R)"};
inline constexpr BiText sevenPlus{"7plus (+)", "7plus (+)"};
inline constexpr BiText readStatus{"Luettu (Y)", "Read (Y)"};
inline constexpr BiText toBeKilled{"Poistettava (K)", "To be killed (K)"};
inline constexpr BiText notSentYet{"Lähettämätön (N)", "Not sent yet (N)"};
inline constexpr BiText unfinished{"Keskeneräinen (H)", "Unfinished (H)"};
inline constexpr BiText cancel{"Peruuta", "Cancel"};

// The properties window.
inline constexpr BiText propertiesCaption{"Ominaisuus", "Properties"};
inline constexpr BiText save{"Tallenna", "Save"};
inline constexpr BiText sizeNotNumber{"viestin koko täytyy olla numero",
                                      "Size of message must be number"};
inline constexpr BiText propertyLabels[] = {
    {"Viestin tyyppi", "Type of message"},
    {"Viestin status", "Status of message"},
    {"Viestin numero", "Number of the message"},
    {"Viestin koko tavuina", "Size of message in characters"},
    {"Adjacent BBS giving the message", "Adjacent BBS giving the message"},
    {"Polku", "Route"},
    {"Kenelle kenttä", "To field"},
    {"Viestin otsikko", "Title of message"},
    {"Viimeinen statuksen vaihto pvm BBS", "Date of last status change in BBS"},
    {"Otsikon luku päivä", "Date of read to database"},
    {"Välitä BBS:lle", "BBS to fwd"},
    {"Paikka .LST tiedostossa", "Place in .LST file"},
    {"Bulletinin ID   (BID)", "Bulletin ID   (BID)"},
};

} // namespace krx::listswindowtexts
