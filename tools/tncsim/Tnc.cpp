#include "tncsim/Tnc.h"

#include "core/Clock.h"
#include "tncsim/HostResponse.h"

namespace krx::tncsim {

namespace {

constexpr char kCancel = 24;
constexpr char kEscape = 27;

QString printable(const QByteArray &bytes) {
    QString text;
    for (char byte : bytes) {
        const auto value = quint8(byte);
        text += value >= 32 && value < 127 ? QString(QLatin1Char(byte))
                                           : QStringLiteral("<%1>").arg(value);
    }
    return text;
}

} // namespace

Tnc::Tnc(Clock &clock)
    : clock_(clock),
      monitor_(channels_.at(0), parameters_, stamp_, [this] { return links_.anyLinkUp(); }),
      timer_(clock.createTimer()) {
    radio_.setPort(this);
    timer_->onTimeout([this] { tick(); });
    timer_->start(kTickMilliseconds);
}

Tnc::~Tnc() = default;

bool Tnc::addStation(std::unique_ptr<Station> station) {
    return radio_.addStation(std::move(station));
}

bool Tnc::loseLink(int channel) {
    if (!channels_.isInUse(channel) || channel == 0 ||
        links_.phase(channel) != LinkLayer::Phase::Connected)
        return false;
    links_.loseLink(channel);
    return true;
}

void Tnc::rejectCommand(const QByteArray &command, const QByteArray &errorText) {
    commands_.reject(command, errorText);
}

void Tnc::write(const QByteArray &bytes) {
    collectClosed();
    reader_.append(bytes);
    for (;;) {
        noteUnreadAnswer();
        const auto request = reader_.next(hostMode_);
        if (!request)
            break;
        requestFlagged_ = false;
        handle(*request);
    }
}

QByteArray Tnc::takeOutput() {
    return std::exchange(output_, {});
}

// Host mode allows one outstanding request: bytes of the next one may come only after the
// host has read the answer.
void Tnc::noteUnreadAnswer() {
    if (requestFlagged_ || output_.isEmpty() || !reader_.hasBufferedBytes())
        return;
    requestFlagged_ = true;
    violation(Violation::Kind::RequestBeforeAnswer,
              QStringLiteral("a request arrived before the answer to the previous one was read"));
}

void Tnc::handle(const HostFrameReader::Request &request) {
    using Type = HostFrameReader::Request::Type;
    switch (request.type) {
    case Type::TerminalLine:
        handleTerminalLine(request.bytes);
        return;
    case Type::Malformed:
        violation(hostMode_ ? Violation::Kind::MalformedFrame
                            : Violation::Kind::UnexpectedTerminalInput,
                  request.problem);
        return;
    case Type::Command:
    case Type::Information:
        break;
    }
    const int channel = request.channel;
    if (!channels_.isInUse(channel)) {
        violation(Violation::Kind::ChannelOutOfRange,
                  QStringLiteral("frame for channel %1, the TNC has channels 0 to %2")
                      .arg(channel)
                      .arg(channels_.count()));
        output_ += HostResponse::text(channel, HostResponse::kError, "INVALID CHANNEL NUMBER");
        return;
    }
    if (request.type == Type::Information) {
        handleInformation(channel, request.bytes);
        return;
    }
    const CommandInterpreter::Result result = commands_.execute(channel, request.bytes);
    output_ += result.response;
    if (result.leaveHostMode)
        hostMode_ = false;
}

void Tnc::handleTerminalLine(const QByteArray &line) {
    QByteArray command = line;
    while (command.startsWith(kCancel))
        command.remove(0, 1);
    if (command.isEmpty())
        return;
    if (command.startsWith(kEscape)) {
        const QByteArray name = command.mid(1).simplified().toUpper().replace(' ', "");
        if (name == "JHOST1") {
            hostMode_ = true;
            output_ += "* JHOST1\r\n";
            return;
        }
    }
    violation(Violation::Kind::UnexpectedTerminalInput,
              QStringLiteral("terminal-mode line %1 is not ESC JHOST1").arg(printable(line)));
}

void Tnc::handleInformation(int channel, const QByteArray &data) {
    if (channel == 0) {
        const QByteArrayList path = channels_.unprotoPath();
        monitor_.report({ownCall(0), path.front(), path.mid(1), "UI^", "F0", data});
        radio_.broadcastUnproto(ownCall(0), path.front(), data);
        output_ += HostResponse::ok(channel);
        return;
    }
    if (links_.phase(channel) == LinkLayer::Phase::Disconnected) {
        violation(Violation::Kind::DataOnUnconnectedChannel,
                  QStringLiteral("%1 bytes of information for channel %2, which has no link")
                      .arg(data.size())
                      .arg(channel));
        output_ += HostResponse::text(channel, HostResponse::kError, "CHANNEL NOT CONNECTED");
        return;
    }
    links_.send(channel, data);
    output_ += HostResponse::ok(channel);
}

QByteArray Tnc::call() const {
    return channels_.ownCall(0);
}

bool Tnc::answersTo(const QByteArray &call) const {
    return channels_.isOwnCall(call);
}

void Tnc::incomingConnect(Station &from, const QByteArray &toCall) {
    links_.incoming(from, toCall);
}

void Tnc::heardUnproto(const QByteArray &fromCall, const QByteArray &toCall,
                       const QByteArray &data) {
    // A frame carries at most 256 bytes; longer contents go out in several frames.
    qsizetype at = 0;
    do {
        monitor_.report({fromCall, toCall, {}, "UI", "F0", data.mid(at, HostResponse::kMaxData)});
        at += HostResponse::kMaxData;
    } while (at < data.size());
}

void Tnc::tick() {
    collectClosed();
    links_.passTime(kTickMilliseconds);
    radio_.passTime(kTickMilliseconds);
}

void Tnc::collectClosed() {
    links_.collectClosed();
    radio_.collectClosedLinks();
}

void Tnc::violation(Violation::Kind kind, const QString &text) {
    violations_.append({kind, text});
    if (violationHandler_)
        violationHandler_(violations_.back());
}

} // namespace krx::tncsim
