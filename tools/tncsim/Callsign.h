#pragma once

#include <QByteArray>

namespace krx::tncsim {

// AX.25 calls as the simulator compares them: upper case, "-0" is the bare call.
namespace Callsign {

// A base call of 1 to 6 letters and digits, optionally "-" and an SSID from 0 to 15.
bool isValid(const QByteArray &call);
QByteArray normalized(const QByteArray &call);
bool same(const QByteArray &a, const QByteArray &b);

} // namespace Callsign

} // namespace krx::tncsim
