#include "core/OemConversion.h"

#include <algorithm>

namespace krx {

namespace {

bool looksLikeOem(const QByteArray &text) {
    return std::any_of(text.cbegin(), text.cend(), [](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return value >= 129 && value <= 158;
    });
}

} // namespace

QByteArray OemConversion::receivedToAnsi(const QByteArray &text) const {
    return enabled_ && looksLikeOem(text) ? oemToAnsi(text, page_) : text;
}

QByteArray OemConversion::outgoingToOem(const QByteArray &text) const {
    return enabled_ ? ansiToOem(text, page_) : text;
}

} // namespace krx
