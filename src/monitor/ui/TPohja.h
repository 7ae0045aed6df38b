#pragma once

#include "core/Language.h"
#include "core/ui/MdiChildWindow.h"

namespace krx {

// The monitor window: the terminal of channel 0.
class TPohja : public MdiChildWindow {
    Q_OBJECT
public:
    explicit TPohja(Language language, QWidget *parent = nullptr);

    void setScrollBack(int lines) { scrollBack_ = lines; }
    void setOwnCall(const QByteArray &call) { ownCall_ = call; }

private:
    int scrollBack_ = 30;
    QByteArray ownCall_;
};

} // namespace krx
