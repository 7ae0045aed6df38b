#include "core/ui/ToggleFont.h"

#include <QFontInfo>

namespace krx {

QFont toggleFontOf(const ToggleFontSpec &spec, const QFont &windowFont) {
    if (!spec.chosen)
        return windowFont;
    QFont font(QString::fromLatin1(spec.face));
    if (spec.height != 0)
        font.setPixelSize(std::abs(spec.height));
    else
        font.setPointSize(std::max(spec.pointSize, 1));
    return font;
}

QColor colorOfBgr(int bgr) {
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

ToggleFontSpec toggleFontSpecOf(const QFont &font, const ToggleFontSpec &previous) {
    ToggleFontSpec spec = previous;
    spec.chosen = true;
    spec.face = font.family().toLatin1();
    const QFontInfo info(font);
    spec.pointSize = info.pointSize();
    spec.height = -info.pixelSize();
    return spec;
}

} // namespace krx
