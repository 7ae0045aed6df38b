#pragma once

#include "core/Settings.h"

#include <QColor>
#include <QFont>

namespace krx {

// The toggle font as a QFont: the height decides the size when one is stored.
QFont toggleFontOf(const ToggleFontSetting &setting, const QFont &windowFont);
// A Windows colour value (0x00BBGGRR) as a QColor.
QColor colorOfBgr(int bgr);
// The stored form of a font chosen in the font dialog; colour and character set are kept.
ToggleFontSetting toggleFontSettingOf(const QFont &font, const ToggleFontSetting &previous);

} // namespace krx
