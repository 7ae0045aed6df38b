#include "core/HostModeControl.h"

#include "core/CoreTexts.h"
#include "core/Kernel.h"
#include "core/Prompter.h"
#include "core/SoundPlayer.h"
#include "transport/Transport.h"

namespace krx {

namespace {

constexpr char hostModeConfirmation[] = "* JHOST1\r\n";
constexpr int telnetTransport = 2;
constexpr int agwpeTransport = 3;

QByteArray upToFirstCr(const QByteArray &text) {
    const int cr = text.indexOf('\r');
    return cr < 0 ? text : text.left(cr);
}

bool isConnectCommand(const QByteArray &command) {
    return command.startsWith("c ") || command.startsWith("C ");
}

} // namespace

HostModeControl::HostModeControl(Kernel &kernel, Timer &endTimer)
    : kernel_(kernel), endTimer_(endTimer), lineWatchdog_(kernel.services().clock.createTimer()),
      repollTimer_(kernel.services().clock.createTimer()),
      initAnswerTimer_(kernel.services().clock.createTimer()) {
    lineWatchdog_->setInterval(lineWatchdogMs);
    lineWatchdog_->onTimeout([this] { watchdogExpired(); });
    // A TNC that lost one request is asked again until it answers.
    repollTimer_->setInterval(repollMs);
    repollTimer_->onTimeout([this] {
        link_.DiscardPartialResponse();
        sendPoll(0);
    });
    initAnswerTimer_->setInterval(initAnswerTimeoutMs);
    initAnswerTimer_->onTimeout([this] {
        link_.AbandonInitAnswer();
        sendNextInitCommand();
    });
}

HostModeControl::~HostModeControl() = default;

void HostModeControl::start(std::unique_ptr<Transport> transport) {
    const Settings &settings = kernel_.settings();
    link_.set_kanavien_maara(settings.channelCount);
    initCommands_ = settings.initCommands;
    transport_ = std::move(transport);
    connect(transport_.get(), &Transport::tulleet_merkit, this, &HostModeControl::bytesArrived);
    transport_->SetActive(true);
    link_.setInitialising(true);
    send(Twa8ded::EnterHostModeFrame());
}

void HostModeControl::closeTransport() {
    lineWatchdog_->stop();
    repollTimer_->stop();
    initAnswerTimer_->stop();
    queue_.clear();
    if (transport_)
        transport_->SetActive(false);
}

void HostModeControl::setChannelEndpoint(int channel, ChannelEndpoint *endpoint) {
    endpoints_.at(channel) = endpoint;
}

void HostModeControl::send(const QByteArray &frame) {
    if (transport_ && !frame.isEmpty())
        transport_->SendFrame(frame);
}

bool HostModeControl::sendsNothing() const {
    return kernel_.notConfigured();
}

void HostModeControl::bytesArrived() {
    const QByteArray bytes = transport_->TakeResponse();
    if (bytes.isEmpty())
        return;
    if (!link_.isHostModeActive())
        detectHostMode(bytes);
    else if (link_.isInitialising())
        addInitAnswer(bytes);
    else
        handleResponse(bytes);
}

void HostModeControl::detectHostMode(const QByteArray &bytes) {
    detectionBuffer_ += bytes.left(detectionBufferSize - detectionBuffer_.size());
    if (!detectionBuffer_.toUpper().contains(hostModeConfirmation))
        return;
    link_.setHostModeActive(true);
    transport_->hostModeConfirmed();
    detectionBuffer_.clear();
    emit monitorCaptionChanged(texts::hostModeEntered.in(kernel_.language()));
    sendNextInitCommand();
}

void HostModeControl::addInitAnswer(const QByteArray &bytes) {
    const HostResponse answer = link_.AddInitBytes(bytes);
    if (!answer.isComplete())
        return;
    if (answer.code == 2)
        kernel_.services().prompter.show(QString::fromLatin1(upToFirstCr(answer.text)));
    sendNextInitCommand();
}

void HostModeControl::sendNextInitCommand() {
    initAnswerTimer_->stop();
    while (initIndex_ < initCommands_.size()) {
        const QByteArray line = initCommands_.at(initIndex_);
        const QByteArray frame = Twa8ded::CommandFrame(0, line);
        emit monitorCaptionChanged(texts::initCommandCaption.in(kernel_.language())
                                       .arg(initIndex_)
                                       .arg(QString::fromLatin1(line)));
        ++initIndex_;
        if (frame.isEmpty())
            continue; // an empty init line has nothing to send
        send(frame);
        initAnswerTimer_->start();
        return;
    }
    finishInitialisation();
}

void HostModeControl::finishInitialisation() {
    link_.setInitialising(false);
    link_.setHostModeActive(true);
    sendFirstPoll();
    initCommands_.clear();
    kernel_.startAutomaticTimers();
}

void HostModeControl::sendFirstPoll() {
    emit firstPollSent();
    sendPoll(0);
    lineWatchdog_->start();
}

void HostModeControl::handleResponse(const QByteArray &bytes) {
    if (kernel_.closingRequested()) {
        leaveHostMode();
        return;
    }
    const HostResponse response = link_.AddResponseBytes(bytes);
    if (response.isRejected()) {
        sendNextFrame(0);
        return;
    }
    if (!response.isComplete())
        return;
    if (lineLost_)
        resumeLine();
    if (response.channel >= 0 && response.channel <= link_.kanavien_maara())
        route(response);
    lineWatchdog_->start();
    if (response.channel == 1)
        emit monitorCaptionChanged(kernel_.services().clock.now().toString(
            texts::pollCaptionPattern.in(kernel_.language())));
    sendNextFrame(response.code);
}

void HostModeControl::leaveHostMode() {
    if (!lineWatchdog_->isActive() || kernel_.firstRun())
        return;
    lineWatchdog_->stop();
    send(Twa8ded::LeaveHostModeFrame());
    emit monitorCaptionChanged(texts::stoppingTimer.in(kernel_.language()));
    endTimer_.start();
}

void HostModeControl::route(const HostResponse &response) {
    const int channel = response.channel;
    ChannelEndpoint *endpoint = channel > 0 ? endpoints_.at(channel) : nullptr;
    const ReplyKind kind = response.kind;
    const bool isStatusAnswer = kind == ReplyKind::BufferQuery || kind == ReplyKind::StatusPoll ||
                                kind == ReplyKind::ConnectionStatus;
    if (!isStatusAnswer) {
        if (endpoint) {
            endpoint->ShowText(response.text, response.code);
            endpoint->ProcessResponse(response);
        } else if (channel == 0 && monitor_) {
            monitor_->ShowMonitorText(response.text, response.code);
            monitor_->CaptureMonitor(response);
        }
    }
    if (response.code != 1)
        return;
    switch (kind) {
    case ReplyKind::BufferQuery:
        emit bufferReport(texts::bufferReport.in(kernel_.language())
                              .arg(QString::fromLatin1(upToFirstCr(response.text))));
        break;
    case ReplyKind::ConnectionStatus:
        if (endpoint)
            endpoint->ShowConnectStatus(response.text);
        break;
    case ReplyKind::StatusPoll: {
        const QByteArray status = upToFirstCr(response.text);
        const int waiting = endpoint                   ? endpoint->ShowLinkStatus(status)
                            : channel == 0 && monitor_ ? monitor_->ShowMonitorStatus(status)
                                                       : 0;
        if (waiting > 0)
            link_.ForcePolls(channel, waiting + kernel_.pollBurst());
        break;
    }
    default:
        break;
    }
}

void HostModeControl::sendNextFrame(int code) {
    if (sendsNothing())
        return;
    if (!queue_.empty() && code != 5) {
        const QueuedFrame next = queue_.front();
        queue_.pop_front();
        link_.setExpectedKind(next.kind);
        send(next.frame);
        return;
    }
    sendPoll(code);
}

void HostModeControl::sendPoll(int code) {
    const Twa8ded::Poll poll = link_.NextPoll(code);
    link_.setExpectedKind(poll.expectedKind());
    send(poll.frame);
}

void HostModeControl::watchdogExpired() {
    lineWatchdog_->stop();
    kernel_.services().sound.play(kernel_.directory().resolve(QStringLiteral("virhe.wav")));
    lineLost_ = true;
    repollTimer_->start();
    emit lineLostChanged(true);
}

void HostModeControl::resumeLine() {
    lineLost_ = false;
    repollTimer_->stop();
    emit lineLostChanged(false);
}

void HostModeControl::queue(const QByteArray &frame, ReplyKind kind) {
    if (!frame.isEmpty())
        queue_.push_back({frame, kind});
}

void HostModeControl::SendText(int channel, const QByteArray &text) {
    if (sendsNothing() || text.isEmpty())
        return;
    QByteArray wire = text;
    if (kernel_.settings().transportCode == telnetTransport)
        wire += '\n';
    for (const QByteArray &frame :
         Twa8ded::InformationFramesFromText(channel, kernel_.oem().outgoingToOem(wire)))
        queue(frame, ReplyKind::InformationFrame);
    if (ChannelEndpoint *endpoint = channel > 0 ? endpoints_.at(channel) : nullptr)
        endpoint->ShowText(text, 8);
    else if (channel == 0 && monitor_)
        monitor_->ShowMonitorText(text, 8);
}

void HostModeControl::SendBytes(int channel, const QByteArray &bytes) {
    if (sendsNothing())
        return;
    for (const QByteArray &frame : Twa8ded::InformationFrames(channel, bytes))
        queue(frame, ReplyKind::InformationFrame);
}

void HostModeControl::SendCommand(int channel, const QByteArray &command, ReplyKind kind) {
    if (sendsNothing())
        return;
    if (isConnectCommand(command) && channel > 0) {
        ChannelState &state = channels_[channel];
        state.connect_initiated_here = true;
        if (state.automation_claimed || channels_.anyConnected()) {
            const Settings &settings = kernel_.settings();
            const int ssid = (channel + settings.baseSsid) % 16;
            queue(Twa8ded::CommandFrame(channel,
                                        "i " + settings.ownCall + '-' + QByteArray::number(ssid)),
                  ReplyKind::Command);
        }
    }
    queue(Twa8ded::CommandFrame(channel, kernel_.oem().outgoingToOem(command)), kind);
}

int HostModeControl::transmitRoom(int) const {
    return kernel_.settings().transportCode == agwpeTransport ? -200 : -link_.kanavien_maara();
}

} // namespace krx
