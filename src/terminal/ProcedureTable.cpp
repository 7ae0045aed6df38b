#include "terminal/ProcedureTable.h"

namespace krx {

namespace {

constexpr int linkStatusCode = 3;

} // namespace

bool hasNoLink(LinkState state) {
    return state == LinkState::Busy || state == LinkState::Disconnected ||
           state == LinkState::LinkFailure;
}

void ProcedureTable::registerHandler(ProcedureFamily family,
                                     std::unique_ptr<ProcedureHandler> handler) {
    entry(family).handler = std::move(handler);
}

ProcedureHandler *ProcedureTable::handler(ProcedureFamily family) const {
    return entry(family).handler.get();
}

void ProcedureTable::setRunning(ProcedureFamily family, bool running) {
    entry(family).running = running;
}

bool ProcedureTable::isRunning(ProcedureFamily family) const {
    return entry(family).running;
}

void ProcedureTable::dispatch(const HostResponse &response, ChannelState &channel, int &procedure) {
    for (Entry &each : entries_) {
        if (!each.running)
            continue;
        if (response.code == linkStatusCode && hasNoLink(channel.linkState)) {
            channel.linkState = LinkState::Disconnected;
            procedure = 0;
            each.running = false;
            if (each.handler)
                each.handler->linkLost();
            continue;
        }
        if (each.handler)
            each.handler->handleResponse(response);
    }
}

} // namespace krx
