#pragma once

#include "core/Shell.h"

namespace krx {

// Opens files and folders with the desktop's programs.
class DesktopShell final : public Shell {
public:
    bool open(const QString &pathOrUrl) override;
    bool explore(const QString &folder) override;
};

} // namespace krx
