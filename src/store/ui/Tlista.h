#pragma once

#include "core/Language.h"
#include "core/ui/MdiChildWindow.h"

namespace krx {

// The lists window: the list of lists and the header grid.
class Tlista : public MdiChildWindow {
    Q_OBJECT
public:
    explicit Tlista(Language language, QWidget *parent = nullptr);
};

} // namespace krx
