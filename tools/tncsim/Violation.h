#pragma once

#include <QString>

namespace krx::tncsim {

// A breach of host mode by the host, as the simulator saw it.
struct Violation {
    enum class Kind {
        // A request came while the answer to the previous one was not yet read.
        RequestBeforeAnswer,
        // A frame the TNC cannot read: a code byte other than 0 or 1.
        MalformedFrame,
        // A frame for a channel above the channel count.
        ChannelOutOfRange,
        // Information for a QSO channel that has no link.
        DataOnUnconnectedChannel,
        // Terminal-mode input other than the switch to host mode.
        UnexpectedTerminalInput,
    };

    Kind kind;
    QString text;
};

} // namespace krx::tncsim
