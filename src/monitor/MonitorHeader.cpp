#include "monitor/MonitorHeader.h"

namespace krx {

namespace {

bool isMark(char c) {
    return c == '^' || c == 'v' || c == '+' || c == '-';
}

bool isWordCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Whether the header holds `type` ending a word, optionally followed by a command/response
// mark, and then `after`. "ctl UI" thus matches "ctl UI^ pid", "ctl UI pid" and "ctl UI-"
// but not a longer frame name.
bool holdsFrameType(const QByteArray &header, const QByteArray &type,
                    const QByteArray &after = {}) {
    for (qsizetype at = header.indexOf(type); at >= 0; at = header.indexOf(type, at + 1)) {
        qsizetype end = at + type.size();
        if (end < header.size() && isMark(header[end]))
            ++end;
        if (end < header.size() && isWordCharacter(header[end]))
            continue;
        if (header.mid(end).startsWith(after))
            return true;
    }
    return false;
}

} // namespace

bool MonitorHeader::isMailboxBroadcast(const QByteArray &header, const QByteArray &bbs) {
    const bool tncStyle =
        header.contains("fm " + bbs + " to FBB") && holdsFrameType(header, "ctl UI");
    const bool agwpeStyle =
        header.contains("Fm " + bbs + " To FBB") && holdsFrameType(header, "<UI");
    return tncStyle || agwpeStyle;
}

bool MonitorHeader::isNodesBroadcast(const QByteArray &header) {
    const bool tncStyle =
        header.contains("fm ") && holdsFrameType(header, " to NODES ctl UI", " pid CF");
    const bool agwpeStyle = header.contains("Fm ") && holdsFrameType(header, " To NODES <UI") &&
                            header.contains("pid=CF");
    return tncStyle || agwpeStyle;
}

} // namespace krx
