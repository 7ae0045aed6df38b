#pragma once

#include <QByteArray>
#include <QString>

namespace krx {

// The six numbers of the TNC's answer to the link-status query "L" of a QSO channel.
// A number that cannot be read is -1.
struct LinkStatusNumbers {
    static constexpr int count = 6;

    int unshownLinkMessages = -1; // link status messages not yet shown
    int receivedFrames = -1;      // received frames not yet shown
    int unsentFrames = -1;        // frames not yet sent
    int unacknowledgedFrames = -1;
    int tries = -1;     // tries on the current operation
    int linkState = -1; // the AX.25 state, 0 to 15

    // Reads the trimmed text: six integers separated by single blanks.
    static LinkStatusNumbers parse(const QByteArray &text);

    bool operator==(const LinkStatusNumbers &) const = default;
};

// The name of a reported AX.25 link state, or nothing outside 0 to 15.
QString linkStateName(int state);

} // namespace krx
