#pragma once

#include "core/ui/MainCommands.h"

#include <QIcon>

namespace krx {

// The toolbar's icon for a command: a small labelled tile, coloured by the command's group.
QIcon toolbarIcon(Command command);

} // namespace krx
