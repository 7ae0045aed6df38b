#include "terminal/DxSpotAlert.h"

#include "core/Kernel.h"
#include "terminal/AlertSounds.h"

namespace krx {

namespace {

constexpr char bell = '\a';

} // namespace

DxSpotAlert::DxSpotAlert(Kernel &kernel, AlertSounds &sounds) : kernel_(kernel), sounds_(sounds) {
    // The quiet period ends when the timer fires once.
    Timer &quiet = kernel_.dxQuietTimer();
    quiet.onTimeout([&quiet] { quiet.stop(); });
}

void DxSpotAlert::CheckDxAlert(const QByteArray &text, bool dxMode) {
    if (!dxMode || !text.contains(bell))
        return;
    const QByteArray special = kernel_.settings().dxSpecialString.toUpper();
    if (!special.isEmpty() && text.toUpper().contains(special)) {
        sounds_.PlaySound(QStringLiteral("dxspecial.wav"));
        return;
    }
    Timer &quiet = kernel_.dxQuietTimer();
    if (quiet.isActive())
        return;
    sounds_.PlaySound(QStringLiteral("dx.wav"));
    if (quiet.interval() != 0)
        quiet.start();
}

} // namespace krx
