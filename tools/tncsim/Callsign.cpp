#include "tncsim/Callsign.h"

namespace krx::tncsim::Callsign {

namespace {

bool isAlphanumeric(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

bool isValid(const QByteArray &call) {
    const qsizetype dash = call.indexOf('-');
    const QByteArray base = dash < 0 ? call : call.left(dash);
    if (base.isEmpty() || base.size() > 6)
        return false;
    for (char c : base)
        if (!isAlphanumeric(c))
            return false;
    if (dash < 0)
        return true;
    const QByteArray ssid = call.mid(dash + 1);
    if (ssid.isEmpty() || ssid.size() > 2)
        return false;
    bool isNumber = false;
    const int value = ssid.toInt(&isNumber);
    return isNumber && value >= 0 && value <= 15 && ssid.front() != '+';
}

QByteArray normalized(const QByteArray &call) {
    const QByteArray upper = call.trimmed().toUpper();
    const qsizetype dash = upper.indexOf('-');
    if (dash < 0)
        return upper;
    bool isNumber = false;
    const int ssid = upper.mid(dash + 1).toInt(&isNumber);
    if (!isNumber)
        return upper;
    const QByteArray base = upper.left(dash);
    return ssid == 0 ? base : base + '-' + QByteArray::number(ssid);
}

bool same(const QByteArray &a, const QByteArray &b) {
    return normalized(a) == normalized(b);
}

} // namespace krx::tncsim::Callsign
