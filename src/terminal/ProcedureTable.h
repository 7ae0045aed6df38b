#pragma once

#include "core/ChannelStates.h"
#include "transport/HostResponse.h"

#include <array>
#include <memory>

namespace krx {

// The families of automatic procedures, in the order their handlers see each response.
enum class ProcedureFamily {
    CompressedFetch,
    CompressedSend,
    PlainFetch,
    PlainSend,
    AutobinReceiveMailbox,
    AutobinSendMailbox,
    AutobinReceiveTerminal,
    AutobinSendTerminal,
    ListFetch,
    RawFileSend,
    ConnectWait,
    SysopLoginWait,
};

inline constexpr int procedureFamilyCount = 12;

// The response handler of one procedure family. Procedures register theirs with the
// channel; it is called for every response while the family's run flag is set.
class ProcedureHandler {
public:
    virtual ~ProcedureHandler() = default;
    virtual void handleResponse(const HostResponse &response) = 0;
    // The link is gone and the procedure has been ended (`LinkState` 3, `Procedure` 0, run
    // flag cleared): give back what the procedure took, such as the commands it disabled.
    virtual void linkLost() = 0;
};

// The run flags and handlers of a channel's procedure families.
class ProcedureTable {
public:
    void registerHandler(ProcedureFamily family, std::unique_ptr<ProcedureHandler> handler);
    ProcedureHandler *handler(ProcedureFamily family) const;

    void setRunning(ProcedureFamily family, bool running);
    bool isRunning(ProcedureFamily family) const;

    // Calls the handler of every running family, in the fixed order. Each begins the same
    // way: a link-status record while there is no link ends its procedure instead.
    void dispatch(const HostResponse &response, ChannelState &channel, int &procedure);

private:
    struct Entry {
        std::unique_ptr<ProcedureHandler> handler;
        bool running = false;
    };
    Entry &entry(ProcedureFamily family) { return entries_.at(static_cast<int>(family)); }
    const Entry &entry(ProcedureFamily family) const {
        return entries_.at(static_cast<int>(family));
    }

    std::array<Entry, procedureFamilyCount> entries_;
};

// Busy, disconnected and link failure all mean that there is no link.
bool hasNoLink(LinkState state);

} // namespace krx
