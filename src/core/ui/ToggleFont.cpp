#include "core/ui/ToggleFont.h"

#include <QFontInfo>

namespace krx {

QFont toggleFontOf(const ToggleFontSetting &setting, const QFont &windowFont) {
    if (!setting.chosen)
        return windowFont;
    QFont font(QString::fromLatin1(setting.face));
    if (setting.height != 0)
        font.setPixelSize(std::abs(setting.height));
    else
        font.setPointSize(std::max(setting.pointSize, 1));
    return font;
}

QColor colorOfBgr(int bgr) {
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

ToggleFontSetting toggleFontSettingOf(const QFont &font, const ToggleFontSetting &previous) {
    ToggleFontSetting setting = previous;
    setting.chosen = true;
    setting.face = font.family().toLatin1();
    const QFontInfo info(font);
    setting.pointSize = info.pointSize();
    setting.height = -info.pixelSize();
    return setting;
}

} // namespace krx
