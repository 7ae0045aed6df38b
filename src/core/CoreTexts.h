#pragma once

#include "core/Language.h"

// The texts of the application core in both languages. A text ending in a blank is followed
// by a number or a name where it is shown.
namespace krx::texts {

inline constexpr BiText applicationTitle{"KRX Vizuzad", "KRX packet"};
inline constexpr BiText listStatusHint{"Listojen tilatietoja.", "Message list status"};

inline constexpr BiText unreadableSsid{
    "Asetusvirhe: avaimen \"oma kutsu\" arvossa \"%1\" ei ole SSID-numeroa \"-\"-merkin "
    "jälkeen. Käytetään SSID:tä 0.",
    "Settings error: the value \"%1\" of the key \"oma kutsu\" has no SSID number after "
    "\"-\". SSID 0 is used."};

inline constexpr BiText settingsFileMissing{
    "Asetustiedostoa ei ole:\n%1\n\nAsetusten luonti ei ole vielä käytettävissä. Kopioi "
    "asetustiedosto tähän kansioon ja käynnistä ohjelma uudelleen.",
    "The settings file is missing:\n%1\n\nCreating the settings is not available yet. Copy a "
    "settings file into this folder and start the program again."};

inline constexpr BiText wrongChannelCountBefore{"väärä määrä QSO ikkunoita ",
                                                "Wrong count of QSO wíndows "};
inline constexpr BiText wrongChannelCountAfter{" kpl", ""};

inline constexpr BiText firstRunWarning{
    "Et ole muokannut KRX.INI EPURT.INI ja READ.INI tiedostoja readme.txt tiedoston ohjeiden\r\n"
    "mukaan. Näitä kolmea tiedostoa pitää muokata, jotta KRX-ohjelma toimii järkevästi !!"
    "\r\n\r\n"
    "Voit tarkastella ohjelmaa ilmankin, mutta kaikki toiminnat eivät ole päällä",
    "You haven't made necessary changes to the files KRX.INI EPURT.INI ja READ.INI,\r\n"
    "as said in the manual, edit these files to make KRX works correctly !!"
    "\r\n\r\n"
    "You can have a look at the program, but most functions are not working."};

inline constexpr BiText purgeQuestion{"Poistetaanko vanhat otsikot lopetettaessa ?",
                                      "Exiting program. Should expired messages be deleted?"};
inline constexpr BiText purgeQuestionCaption{"Lopetus", "Ending program"};

inline constexpr BiText settingsWriteFailed{"Asetusta ei voitu tallentaa: %1",
                                            "A setting could not be saved: %1"};

inline constexpr BiText hostModeEntered{"siirtyi HOST-tilaan", "changes to HOST mode"};
inline constexpr BiText initCommandCaption{"asetus %1 komento %2", "setting %1 command %2"};
inline constexpr BiText stoppingTimer{"lopetus timer käyntiin", "Stopping timer ON"};
// A date-time pattern: the quoted parts are literal text.
inline constexpr BiText pollCaptionPattern{"'Päivä on 'dd.MM.yyyy' ja kello on 'HH:mm:ss",
                                           "'Day is 'dd.MM.yyyy' and time is 'HH:mm:ss"};
inline constexpr BiText bufferReport{"Buf : %1", "Buf : %1"};
inline constexpr BiText transportNotAvailable{
    "Yhteystapaa EMU=%1 ei ole tässä versiossa. Käytettävissä: 0 (TNC sarjaportissa) ja 6 "
    "(TNC-emulaattori TCP-portissa 7001).",
    "Transport EMU=%1 is not available in this version. Available: 0 (TNC on a serial port) "
    "and 6 (TNC emulator on TCP port 7001)."};

} // namespace krx::texts
