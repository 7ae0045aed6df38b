#pragma once

#include "core/Language.h"
#include "core/ui/MdiChildWindow.h"

namespace krx {

// A QSO channel window (channels 1 to 10).
class TMDIChild : public MdiChildWindow {
    Q_OBJECT
public:
    TMDIChild(int channel, Language language, QWidget *parent = nullptr);

    int channel() const { return channel_; }

private:
    int channel_;
};

} // namespace krx
