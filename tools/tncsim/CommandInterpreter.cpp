#include "tncsim/CommandInterpreter.h"

#include "tncsim/Callsign.h"
#include "tncsim/ChannelSet.h"
#include "tncsim/HostResponse.h"
#include "tncsim/LinkLayer.h"
#include "tncsim/TncParameters.h"

#include <algorithm>
#include <optional>

namespace krx::tncsim {

namespace {

using namespace HostResponse;

const QByteArray kInvalidParameter = "INVALID PARAMETER";
const QByteArray kNotConnected = "CHANNEL NOT CONNECTED";

constexpr int kMaxDigipeaters = 8;

// "CALL", "CALL via DIGI1 DIGI2" or "CALL DIGI1,DIGI2": the destination first, then the path.
std::optional<QByteArrayList> parsePath(const QByteArray &argument) {
    QByteArray spaced = argument;
    spaced.replace(',', ' ');
    QByteArrayList calls;
    for (const QByteArray &word : spaced.simplified().split(' ')) {
        const QByteArray upper = word.toUpper();
        if (upper == "VIA" || upper == "V")
            continue;
        if (!Callsign::isValid(word))
            return std::nullopt;
        calls << Callsign::normalized(word);
    }
    if (calls.isEmpty() || calls.size() > 1 + kMaxDigipeaters)
        return std::nullopt;
    return calls;
}

} // namespace

CommandInterpreter::CommandInterpreter(ChannelSet &channels, TncParameters &parameters,
                                       LinkLayer &links)
    : channels_(channels), parameters_(parameters), links_(links),
      longNames_(parameters.longNames() << "JHOST"
                                        << "@B") {}

void CommandInterpreter::reject(const QByteArray &command, const QByteArray &errorText) {
    rejected_[HostCommand::parse(command, longNames_).normalized()] = errorText;
}

CommandInterpreter::Result CommandInterpreter::execute(int channel, const QByteArray &text) {
    const HostCommand command = HostCommand::parse(text, longNames_);
    if (const auto found = rejected_.find(command.normalized()); found != rejected_.end())
        return {HostResponse::text(channel, kError, found->second)};
    const QByteArray &name = command.name;
    if (name == "JHOST") {
        if (command.argument == "0")
            return {ok(channel), true};
        if (command.argument == "1")
            return {ok(channel)};
        return {HostResponse::text(channel, kError, kInvalidParameter)};
    }
    if (name == "G")
        return {poll(channel)};
    if (name == "L")
        return {status(channel)};
    if (name == "@B") {
        const int free = std::max(0, kBuffers - channels_.pendingTotal());
        return {HostResponse::text(channel, kMessage, QByteArray::number(free))};
    }
    if (name == "C")
        return {connect(channel, command.argument)};
    if (name == "D")
        return {disconnect(channel)};
    if (name == "I")
        return {ownCall(channel, command.argument)};
    if (name == "Y")
        return {channelCount(channel, command.argument)};
    if (parameters_.has(name))
        return {parameter(channel, command)};
    return {HostResponse::text(channel, kError, "INVALID COMMAND: " + text)};
}

QByteArray CommandInterpreter::poll(int channel) {
    const auto next = channels_.at(channel).takeNext();
    if (!next)
        return ok(channel);
    if (next->code == kMonitorInfo || next->code == kConnectedInfo)
        return data(channel, next->code, next->bytes);
    return HostResponse::text(channel, next->code, next->bytes);
}

QByteArray CommandInterpreter::status(int channel) const {
    const Channel &pending = channels_.at(channel);
    if (channel == 0) {
        const int monitored =
            pending.pendingCount(kMonitorHeader) + pending.pendingCount(kMonitorHeaderWithInfo);
        return HostResponse::text(channel, kMessage,
                                  QByteArray::number(pending.pendingCount(kLinkStatus)) + ' ' +
                                      QByteArray::number(monitored));
    }
    // Up to MAXFRAME (O) frames are on the air waiting for their acknowledgement; the rest wait
    // to be sent.
    const int waiting = links_.framesWaiting(channel);
    const int unacknowledged = std::min(waiting, parameters_.number("O"));
    const QList<int> numbers{pending.pendingCount(kLinkStatus),
                             pending.pendingCount(kConnectedInfo),
                             waiting - unacknowledged,
                             unacknowledged,
                             links_.tries(channel),
                             int(links_.phase(channel))};
    QByteArrayList words;
    for (int number : numbers)
        words << QByteArray::number(number);
    return HostResponse::text(channel, kMessage, words.join(' '));
}

QByteArray CommandInterpreter::connect(int channel, const QByteArray &argument) {
    if (channel == 0) {
        if (argument.isEmpty())
            return HostResponse::text(channel, kMessage, channels_.unprotoPath().join(" via "));
        const auto path = parsePath(argument);
        if (!path)
            return HostResponse::text(channel, kError, "INVALID CALLSIGN");
        channels_.setUnprotoPath(*path);
        return ok(channel);
    }
    const bool linked = links_.phase(channel) != LinkLayer::Phase::Disconnected;
    if (argument.isEmpty())
        return HostResponse::text(channel, kMessage,
                                  linked ? links_.remoteCall(channel) : kNotConnected);
    if (linked)
        return HostResponse::text(channel, kError, "CHANNEL ALREADY CONNECTED");
    const auto path = parsePath(argument);
    if (!path)
        return HostResponse::text(channel, kError, "INVALID CALLSIGN");
    // The link text (CONNECTED, BUSY, LINK FAILURE) waits for a later G poll.
    links_.connect(channel, path->front(), path->mid(1));
    return ok(channel);
}

QByteArray CommandInterpreter::disconnect(int channel) {
    if (channel == 0 || links_.phase(channel) == LinkLayer::Phase::Disconnected)
        return HostResponse::text(channel, kError, kNotConnected);
    links_.disconnect(channel);
    return ok(channel);
}

QByteArray CommandInterpreter::ownCall(int channel, const QByteArray &argument) {
    if (argument.isEmpty())
        return HostResponse::text(channel, kMessage, channels_.ownCall(channel));
    if (!Callsign::isValid(argument))
        return HostResponse::text(channel, kError, "INVALID CALLSIGN");
    channels_.setOwnCall(channel, argument);
    return ok(channel);
}

QByteArray CommandInterpreter::channelCount(int channel, const QByteArray &argument) {
    if (argument.isEmpty())
        return HostResponse::text(channel, kMessage,
                                  QByteArray::number(channels_.count()) + " (" +
                                      QByteArray::number(links_.linksInUse()) + ')');
    bool isNumber = false;
    const int count = argument.toInt(&isNumber);
    if (!isNumber || count < 0 || count > ChannelSet::kMaxChannels)
        return HostResponse::text(channel, kError, kInvalidParameter);
    channels_.setCount(count);
    return ok(channel);
}

QByteArray CommandInterpreter::parameter(int channel, const HostCommand &command) {
    if (command.argument.isEmpty())
        return HostResponse::text(channel, kMessage, parameters_.value(command.name));
    if (!parameters_.set(command.name, command.argument))
        return HostResponse::text(channel, kError, kInvalidParameter);
    return ok(channel);
}

} // namespace krx::tncsim
