#pragma once

#include <QByteArray>
#include <functional>

namespace krx {

// The lists window's answer on one line of the mailbox's unproto header broadcast.
enum class UnprotoVerdict : int {
    Unusable = 0,
    NeedsListing = 1,  // headers were missed: fetch the header listing over a connection
    Refused = 2,       // the mailbox refuses our unproto requests
    NumberSkipped = 3, // a number that carries no message
    InStep = 4,
    Stored = 5,
    NeedsRequest = 6, // headers were missed: ask the mailbox for them by unproto
};

// What the lists window lends the monitor for capturing the mailbox's header broadcasts. Any
// hook left empty means "not available": without `captureOn` nothing is captured.
struct UnprotoHooks {
    // The lists window's capture flag (setting `unproto ota`; goes off when the mailbox refuses).
    std::function<bool()> captureOn;
    // One CR-terminated header line, without its line end.
    std::function<UnprotoVerdict(const QByteArray &line)> ClassifyUnprotoLine;
    std::function<void()> RequestMissingHeaders;
    // Starts the header listing fetch the way its timer starts it.
    std::function<void()> startHeaderListing;
};

} // namespace krx
