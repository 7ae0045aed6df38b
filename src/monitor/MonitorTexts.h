#pragma once

#include "core/Language.h"

// The texts of the monitor window in both languages.
namespace krx::monitor_texts {

inline constexpr BiText initialCaption{"Laita TNC päälle ennen ohjelman käynnistystä",
                                       "Turn on TNC before starting program"};
inline constexpr BiText commandBox{"Komento", "Command window"};
inline constexpr BiText monitorBox{"Monitoriruutu", "Monitor window"};
inline constexpr BiText splitterHint{"Voit muuttaa Komento-ruudun kokoa.",
                                     "You can resize Command window"};

inline constexpr BiText editMenu{"&Muokkaa", "&Edit"};
inline constexpr BiText transferMenu{"&Siirto", "&Transfer"};
inline constexpr BiText cut{"&Leikkaa", "Cu&t"};
inline constexpr BiText copy{"&Kopioi", "&Copy"};
inline constexpr BiText paste{"L&iitä", "&Paste"};
inline constexpr BiText selectAll{"&Valitse kaikki", "&Select All"};
inline constexpr BiText logToFile{"Monitori &logiin", "Monitor to &log file"};
inline constexpr BiText popupCopy{"K&opioi", "&Copy"};
inline constexpr BiText popupSelectAll{"&Valitse kaikki", "&Select All"};
inline constexpr BiText scrollLock{"Scroll &Lock", "Scroll &Lock"};
inline constexpr BiText toggleFont{"Vaihda &font", "Toggle &font"};

inline constexpr char scrollLockOn[] = "Scroll Lock On";
inline constexpr char scrollLockOff[] = "Scroll Lock Off";
inline constexpr char statusPrefix[] = "Status : ";

inline constexpr BiText logOpenFailed{"Monitorin lokitiedostoa ei voitu avata:\n%1\n%2",
                                      "The monitor log file could not be opened:\n%1\n%2"};
inline constexpr BiText logWriteFailed{
    "Monitorin lokitiedostoon ei voitu kirjoittaa, loki suljettiin:\n%1\n%2",
    "The monitor log file could not be written and was closed:\n%1\n%2"};

} // namespace krx::monitor_texts
