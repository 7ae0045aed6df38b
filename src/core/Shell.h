#pragma once

#include <QString>

namespace krx {

// Hands files and folders to the desktop.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file (or a web address) with the desktop's program for it.
    virtual bool open(const QString &pathOrUrl) = 0;
    // Shows a folder in the desktop's file manager.
    virtual bool explore(const QString &folder) = 0;
};

} // namespace krx
