#include "monitor/MonitorEngine.h"

#include "core/Kernel.h"
#include "core/Prompter.h"
#include "core/SendOperations.h"
#include "core/SoundPlayer.h"
#include "monitor/MonitorHeader.h"
#include "monitor/MonitorTexts.h"
#include "monitor/NetRomNodesDecoder.h"

namespace krx {

namespace {

constexpr int linkStatusCode = 3;
constexpr int headerWithContentsCode = 5;
constexpr int contentsCode = 6;

// The link texts of channel 0, matched at the start of the text after its first blank.
struct LinkText {
    const char *start;
    LinkState state;
};
constexpr LinkText linkTexts[] = {
    {"BUSY", LinkState::Busy},
    {"CONNECTED", LinkState::Connected},
    {"LINK RESET", LinkState::Connected},
    {"DISCONNECTED", LinkState::Disconnected},
    {"LINK FAILURE", LinkState::LinkFailure},
    {"CONNECT REQUEST", LinkState::ConnectRequest},
    {"FRAME REJECT", LinkState::FrameReject},
};

int numberOrMinusOne(const QByteArray &text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number : -1;
}

} // namespace

MonitorEngine::MonitorEngine(Kernel &kernel, SendOperations &send) : kernel_(kernel), send_(send) {}

Language MonitorEngine::language() const {
    return kernel_.language();
}

void MonitorEngine::ShowMonitorText(const QByteArray &text, int code) {
    if (text.isEmpty() || (code == contentsCode && nodesFollow_))
        return;
    const std::optional<MonitorStyle> style = styleOfCode(code);
    if (!style)
        return;
    const QByteArray shown = withLineEnds(kernel_.oem().receivedToAnsi(text));
    pane_.append(shown, *style);
    logText(shown);
}

void MonitorEngine::CaptureMonitor(const HostResponse &response) {
    switch (response.code) {
    case linkStatusCode:
        followLinkStatus(response.text);
        break;
    case headerWithContentsCode:
        noteHeader(response.text);
        break;
    case contentsCode: {
        const QByteArray contents = response.text.left(response.length);
        if (headerFollows_)
            captureHeaderLines(contents);
        if (nodesFollow_)
            pane_.append(NetRomNodesDecoder::decode(contents), monitor_styles::nodesTable);
        break;
    }
    default:
        break;
    }
}

void MonitorEngine::followLinkStatus(const QByteArray &text) {
    const qsizetype afterChannel = text.indexOf(' ');
    if (afterChannel < 0)
        return; // not "(0) " and an event word
    const QByteArray event = text.mid(afterChannel + 1);
    for (const LinkText &linkText : linkTexts) {
        if (!event.startsWith(linkText.start))
            continue;
        linkState_ = linkText.state;
        if (linkState_ == LinkState::ConnectRequest)
            kernel_.services().sound.play(
                kernel_.directory().resolve(QString::fromLatin1(connectSound)));
        return;
    }
}

void MonitorEngine::noteHeader(const QByteArray &header) {
    const QByteArray bbs = kernel_.settings().homeBbs.toUpper();
    headerFollows_ = unproto_.captureOn && unproto_.captureOn() &&
                     MonitorHeader::isMailboxBroadcast(header, bbs);
    nodesFollow_ = MonitorHeader::isNodesBroadcast(header);
}

void MonitorEngine::captureHeaderLines(const QByteArray &contents) {
    headerFollows_ = false;
    if (!unproto_.ClassifyUnprotoLine)
        return;
    qsizetype at = 0;
    for (qsizetype cr = contents.indexOf('\r'); cr >= 0; cr = contents.indexOf('\r', at)) {
        const QByteArray line = contents.mid(at, cr - at);
        at = cr + 1;
        if (at < contents.size() && contents[at] == '\n')
            ++at;
        switch (unproto_.ClassifyUnprotoLine(line)) {
        case UnprotoVerdict::NeedsListing:
            if (unproto_.startHeaderListing)
                unproto_.startHeaderListing();
            return;
        case UnprotoVerdict::NeedsRequest:
            if (unproto_.RequestMissingHeaders)
                unproto_.RequestMissingHeaders();
            return;
        case UnprotoVerdict::Unusable:
        case UnprotoVerdict::Refused:
        case UnprotoVerdict::InStep:
            return;
        case UnprotoVerdict::NumberSkipped:
        case UnprotoVerdict::Stored:
        default:
            break;
        }
    }
}

int MonitorEngine::ShowMonitorStatus(const QByteArray &text) {
    emit statusTextChanged(monitor_texts::statusPrefix + text);
    const QList<QByteArray> numbers = text.simplified().split(' ');
    statusNumbers_ = {numberOrMinusOne(numbers.value(0)), numberOrMinusOne(numbers.value(1))};
    return statusNumbers_.monitorFrames > fastReadThreshold_ ? statusNumbers_.monitorFrames : 0;
}

void MonitorEngine::sendUnprotoLine(const QByteArray &line) {
    send_.SendText(0, line + '\r');
}

void MonitorEngine::sendCommandLine(const QByteArray &line) {
    if (!line.isEmpty())
        send_.SendCommand(0, line, ReplyKind::Command);
}

void MonitorEngine::sendControlCharacter(char character) {
    if (character >= 1 && character <= 27)
        send_.SendText(0, QByteArray(1, character));
}

void MonitorEngine::toggleLog() {
    if (log_.isOpen()) {
        closeLog();
        return;
    }
    const std::optional<QString> path = kernel_.services().prompter.saveFileName(
        QString(), kernel_.directory().resolve(QString::fromLatin1(logFolder)), QString());
    if (!path)
        return;
    if (!log_.open(*path)) {
        kernel_.services().prompter.message(QString(), failureText(monitor_texts::logOpenFailed),
                                            MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    emit loggingChanged(true);
}

void MonitorEngine::closeLog() {
    if (!log_.isOpen())
        return;
    log_.close();
    emit loggingChanged(false);
}

void MonitorEngine::logText(const QByteArray &text) {
    if (!log_.isOpen() || log_.write(text))
        return;
    // Closed before the box shows, so that texts arriving meanwhile do not report again.
    const QString report = failureText(monitor_texts::logWriteFailed);
    closeLog();
    kernel_.services().prompter.message(QString(), report, MessageIcon::Error, MessageButtons::Ok);
}

QString MonitorEngine::failureText(const BiText &text) const {
    return text.in(language()).arg(log_.path(), log_.errorString());
}

} // namespace krx
