#pragma once

#include "core/Kernel.h"

#include <memory>

namespace krx {

class Transport;

// The transport chosen by `EMU`, set up as the main window sets it; nothing for a transport
// this platform does not have.
std::unique_ptr<Transport> createTransport(const Settings &settings, const Services &services);

} // namespace krx
