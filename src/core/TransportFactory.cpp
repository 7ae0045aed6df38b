#include "core/TransportFactory.h"

#include "transport/Tcomm_port.h"
#include "transport/tporttisocket.h"

namespace krx {

namespace {

constexpr int serialTransport = 0;
constexpr int socketTransport = 6;

} // namespace

std::unique_ptr<Transport> createTransport(const Settings &settings, const Services &services) {
    switch (settings.transportCode) {
    case serialTransport: {
        auto port = std::make_unique<Tcomm_port>(services.clock, services.prompter);
        port->setPortin_nro(settings.comport - 1);
        port->setDevice(QString::fromLocal8Bit(settings.serialDevice));
        port->setBaudrate(settings.baudRate);
        return port;
    }
    case socketTransport: {
        auto socket = std::make_unique<tporttisocket>(services.clock, services.prompter);
        socket->setLanguage(settings.language);
        return socket;
    }
    default:
        return nullptr;
    }
}

} // namespace krx
