#include "terminal/LinkStatusReport.h"

#include <QByteArrayList>
#include <array>

namespace krx {

namespace {

constexpr std::array<const char *, 16> stateNames{
    "Disconnected",
    "Link Setup",
    "Frame Reject",
    "Disconnect Request",
    "Information Transfer",
    "Reject Frame Sent",
    "Waiting Acknowledgement",
    "Device Busy",
    "Remote Device Busy",
    "Both Devices Busy",
    "Waiting Acknowledgement and Device Busy",
    "Waiting Acknowledgement and Remote Busy",
    "Waiting Acknowledgement and Both Devices Busy",
    "Reject Frame Sent and Device Busy",
    "Reject Frame Sent and Remote Busy",
    "Reject Frame Sent and Both Devices Busy",
};

int numberOrMinusOne(const QByteArray &field) {
    bool ok = false;
    const int value = field.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

LinkStatusNumbers LinkStatusNumbers::parse(const QByteArray &text) {
    const QByteArrayList fields = text.trimmed().split(' ');
    const auto field = [&fields](int index) { return numberOrMinusOne(fields.value(index)); };
    return {field(0), field(1), field(2), field(3), field(4), field(5)};
}

QString linkStateName(int state) {
    if (state < 0 || state >= int(stateNames.size()))
        return {};
    return QString::fromLatin1(stateNames[state]);
}

} // namespace krx
