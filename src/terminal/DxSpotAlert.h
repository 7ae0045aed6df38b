#pragma once

#include <QByteArray>

namespace krx {

class AlertSounds;
class Kernel;

// The sound alert for DX cluster spots, which the cluster marks with BEL. Spots holding the
// user's special string always sound; other spots sound unless the program-wide quiet
// period started by an earlier spot is still running.
class DxSpotAlert {
public:
    DxSpotAlert(Kernel &kernel, AlertSounds &sounds);

    // `text` is a text just shown on a channel; `dxMode` tells whether the channel's
    // connection was started by the DX cluster command.
    void CheckDxAlert(const QByteArray &text, bool dxMode);

private:
    Kernel &kernel_;
    AlertSounds &sounds_;
};

} // namespace krx
