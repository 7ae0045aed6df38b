#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace krx::tncsim {

// A frame as the monitor shows it: "fm FROM to TO via DIGI ctl CONTROL pid F0", and the
// contents that follow the header on the next poll. The control text carries the frame type
// and its command/response mark: "SABM+", "UA-", "I00^", "RR1v", "UI" or "UI^".
struct MonitorFrame {
    QByteArray from;
    QByteArray to;
    QByteArrayList via;
    QByteArray control;
    QByteArray pid;  // empty for frames without a protocol id
    QByteArray info; // empty for frames without contents

    // 'I' information, 'U' unproto (UI), 'S' supervisory and link control: the M flag that
    // makes the monitor show the frame.
    char frameClass() const;
    QByteArray header() const;
};

} // namespace krx::tncsim
