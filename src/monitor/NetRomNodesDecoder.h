#pragma once

#include <QByteArray>

namespace krx {

// Turns the contents of a NET/ROM nodes broadcast into the table the monitor shows: a title
// with the sending node's alias, then one line per route (node, alias, best neighbour,
// quality). Reads only the bytes it is given, however short or malformed they are.
class NetRomNodesDecoder {
public:
    static constexpr int entrySize = 21; // call 7, alias 6, neighbour call 7, quality 1

    // The table, with CR LF line ends. An entry whose alias is empty ends the table without a
    // line end, as the nodes have always shown it.
    static QByteArray decode(const QByteArray &contents);

    // A call in AX.25 address form (up to six shifted characters, then the SSID byte), as
    // "CALL" or "CALL-SSID"; a shorter address gives the characters it holds and no SSID.
    static QByteArray callOf(const QByteArray &address);

    // The text cut to `width` characters, or followed by blanks up to one less than `width`.
    static QByteArray pad(const QByteArray &text, int width);
};

} // namespace krx
