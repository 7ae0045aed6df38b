#pragma once

#include "core/Settings.h"

#include <QColor>
#include <QFont>

namespace krx {

// The toggle font as a QFont: the height decides the size when one is stored.
QFont toggleFontOf(const ToggleFontSpec &spec, const QFont &windowFont);
// A Windows colour value (0x00BBGGRR) as a QColor.
QColor colorOfBgr(int bgr);
// The stored form of a font chosen in the font dialog; colour and character set are kept.
ToggleFontSpec toggleFontSpecOf(const QFont &font, const ToggleFontSpec &previous);

} // namespace krx
