#pragma once

#include "core/Language.h"

// The texts of the message store in both languages. A text ending in a blank is followed by
// a name, a path or a number where it is shown; %1 and %2 are filled in.
namespace krx::texts {

inline constexpr BiText unknownList{"Ei moista listaa ", "List "};
inline constexpr BiText unknownListEnd{" ole olemassa !!", " does not exists !!"};

inline constexpr BiText missingRuleList{"Listaa ", "List "};
inline constexpr BiText missingRuleListEnd{" ei ole olemassa. Tarkista READ.INI !!",
                                           " does not exists. Check READ.INI !!"};

inline constexpr BiText searchFileMissing{"funkt haettavat. Tiedostoa ", "funct search. File "};
inline constexpr BiText fetchFileMissing{"funkt mikahaetaan. Tiedostoa ",
                                         "funct what fetch. File "};
inline constexpr BiText fetchDoneFileMissing{"funkt kaikkituli tiedostoa ", "funct all in. File "};
inline constexpr BiText transmitFileMissing{"funkt lahetettavat. Tiedostoa ",
                                            "funct transmit. File "};
inline constexpr BiText countFileMissing{"funkt listanarvot. Tiedostoa ",
                                         "funct listvalues. File "};
inline constexpr BiText purgeFileMissing{"funkt puhdistus. Tiedostoa ", "funct purge. File "};
inline constexpr BiText fileMissingEnd{" ei muka löydy", " does not exists"};
inline constexpr BiText fileMissingEndWide{" ei  muka löydy", " does not exists"};

inline constexpr BiText listCorrupted{"Lista ", "List file "};
inline constexpr BiText listCorruptedEnd{" on vahingoittunut", " is corrupted"};

inline constexpr BiText purgeWriteFailed{"Listojen puhdistus ei talleta oikein",
                                         "Purge of lists does not OK"};

// The repair of a list speaks Finnish only.
inline constexpr BiText repairWriteFailed{"Listojen puhdistus ei talleta oikein",
                                          "Listojen puhdistus ei talleta oikein"};
inline constexpr BiText repairFileMissing{"funkt puhdistus. Tiedostoa ",
                                          "funkt puhdistus. Tiedostoa "};
inline constexpr BiText repairFileMissingEnd{" ei muka löydy", " ei muka löydy"};
inline constexpr BiText repairDropped{"oli ", "oli "};
inline constexpr BiText repairDroppedEnd{" kpl ylimääräisiä otsikoita",
                                         " kpl ylimääräisiä otsikoita"};

inline constexpr BiText epurtTab{
    "Tabulatori/sarkain merkkiä ei saa käyttää epurt.ini tiedostossa.\r\n"
    "Kaikki TAB merkin sisältämät rivit jätetään huomioimatta.",
    "TAB character is not allowed in epurt.ini file.\r\n"
    "All lines including TAB character are ignored."};
inline constexpr BiText readIniTab{
    "Tabulatori/sarkain merkkiä ei saa käyttää read.ini tiedostossa.\r\n"
    "Kaikki TAB merkin sisältämät rivit jätetään huomioimatta.",
    "TAB character is not allowed in read.ini file.\r\n"
    "All lines including TAB character are ignored."};

inline constexpr BiText sizeFieldFault{"ei toimi näinkään", "Size field not OK"};
inline constexpr BiText unprotoSizeError{"messun kokoa ei saanut irti",
                                         "Size of message, format error"};

inline constexpr BiText searchNotFound{
    "Tästä listasta ei löytynyt\rhakuehdot täyttävää viestiä.",
    "A message matching the search\rcriteria could not be found."};

inline constexpr BiText totalLabel{"KAIKKIAAN", "TOTAL"};
inline constexpr BiText groupLabel{"RYHMÄ", "GROUP"};

// Texts of this program's own, for faults the store now guards against.
inline constexpr BiText fileErrorDetail{"Tiedosto: %1\nSyy: %2", "File: %1\nReason: %2"};
inline constexpr BiText fileOperationFailed{"Tiedoston käsittely epäonnistui.",
                                            "A file operation failed."};
inline constexpr BiText listRestored{
    "Listatiedosto %1 puuttui. Se palautettiin varmuuskopiosta %2.",
    "The list file %1 was missing. It was restored from its backup %2."};
inline constexpr BiText tooFewLists{
    "Tiedostossa epurt.ini pitää olla vähintään kaksi listaa: oma lista ja oletuslista.",
    "The file epurt.ini must name at least two lists: the personal list and the default list."};
inline constexpr BiText numberNotSaved{"Viestinumeroa ei saatu talteen.",
                                       "A message number could not be saved."};
inline constexpr BiText listNotConverted{
    "Listaa ei voitu muuntaa uuteen muotoon, koska sen pituus ei sovi vanhaan muotoon.",
    "The list could not be converted to the new format: its length does not fit the old one."};

} // namespace krx::texts
