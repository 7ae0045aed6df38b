#include "monitor/NetRomNodesDecoder.h"

namespace krx {

namespace {

constexpr int aliasSize = 6;
constexpr int firstEntry = 1 + aliasSize; // after the signature byte and the sender's alias
constexpr int callSize = 7;
constexpr int callCharacters = 6;
constexpr char lineEnd[] = "\r\n";

QByteArray upToSpace(const QByteArray &text) {
    const qsizetype space = text.indexOf(' ');
    return space < 0 ? text : text.left(space);
}

bool endsCall(unsigned char byte) {
    // A space shifted left, with or without the address extension bit.
    return byte == 0x40 || byte == 0x41;
}

} // namespace

QByteArray NetRomNodesDecoder::callOf(const QByteArray &address) {
    QByteArray call;
    for (qsizetype i = 0; i < callCharacters && i < address.size(); ++i) {
        const auto byte = static_cast<unsigned char>(address[i]);
        if (endsCall(byte))
            break;
        call += char(byte >> 1);
    }
    if (address.size() >= callSize) {
        const int ssid = (static_cast<unsigned char>(address[callSize - 1]) >> 1) & 15;
        if (ssid != 0)
            call += '-' + QByteArray::number(ssid);
    }
    return call;
}

QByteArray NetRomNodesDecoder::pad(const QByteArray &text, int width) {
    if (text.size() >= width)
        return text.left(width);
    return text + QByteArray(width - text.size() - 1, ' ');
}

QByteArray NetRomNodesDecoder::decode(const QByteArray &contents) {
    const qsizetype length = contents.size();
    QByteArray table = QByteArray("  ") + lineEnd + " NET/ROM Nodes Broadcast from (" +
                       upToSpace(contents.mid(1, aliasSize)) + ")" + lineEnd;
    if (length >= firstEntry)
        table += QByteArray("  Node      Alias    Via       Quality") + lineEnd;

    bool anyAliasRead = false;
    // An entry is begun even when no byte of it is left, which ends the table with a line of
    // two blanks.
    for (qsizetype start = firstEntry; start <= length; start += entrySize) {
        const QByteArray entry = contents.mid(start, entrySize);
        table += "  ";
        if (entry.size() < entrySize) {
            // A cut-off entry: its call as far as it goes.
            table += callOf(entry.left(callSize)) + lineEnd;
            break;
        }
        table += pad(callOf(entry.left(callSize)), 10);
        const QByteArray alias = upToSpace(entry.mid(callSize, aliasSize));
        anyAliasRead = true;
        if (alias.isEmpty())
            return table;
        const auto quality = static_cast<unsigned char>(entry[entrySize - 1]);
        table += pad(" (" + alias + ")", 10) +
                 pad(callOf(entry.mid(callSize + aliasSize, callSize)), 10) + "     " +
                 pad(QByteArray::number(quality), 7) + lineEnd;
    }
    if (!anyAliasRead)
        table += QByteArray("    No routes here.") + lineEnd;
    return table;
}

} // namespace krx
