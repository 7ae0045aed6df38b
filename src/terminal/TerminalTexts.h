#pragma once

#include "core/Language.h"

// The texts of the QSO channel engine in both languages.
namespace krx::terminaltexts {

inline constexpr BiText meterSize{"%1 tavua", "%1 bytes"};
inline constexpr BiText meterSpeed{"nopeus %1 cps", "speed %1 cps"};
inline constexpr BiText connectedEarlier{"(%1) CONNECTED TO %2 aikaisemmin",
                                         "(%1) CONNECTED TO %2 earlier"};

inline constexpr char statusPrefix[] = "Status : ";
inline constexpr char scrollLockAtStart[] = "Scroll lock off";
inline constexpr char scrollLockOn[] = "Scroll Lock On";
inline constexpr char scrollLockOff[] = "Scroll Lock Off";

} // namespace krx::terminaltexts
