#pragma once

#include "core/Language.h"

// The texts of the QSO channel window in both languages.
namespace krx::channelwindowtexts {

inline constexpr BiText txCaption{"TX-ruutu", "TX window"};
inline constexpr BiText rxCaption{"RX-ruutu", "RX window"};
inline constexpr BiText meterCaption{"Tilaruutu", "State of transfer"};
inline constexpr BiText sizeCaption{"Koko", "Size"};
inline constexpr BiText splitterHint{"Voit muuttaa TX-ruudun kokoa.", "You can resize TX-window"};

inline constexpr BiText editMenu{"&Muokkaa", "&Edit"};
inline constexpr BiText transferMenu{"&Siirto", "&Transfer"};
inline constexpr BiText autobinRxMenu{"Autobin &RX", "Autobin &RX"};
inline constexpr BiText autobinTxMenu{"AutoBin &TX", "AutoBin &TX"};

} // namespace krx::channelwindowtexts
