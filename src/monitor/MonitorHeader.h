#pragma once

#include <QByteArray>

namespace krx {

// Recognises the monitor headers the monitor acts on. The transports deliver two styles: the
// TNC's own ("fm QQ2BBS to FBB ctl UI^ pid F0") and the AGWPE one ("Fm QQ2BBS To FBB <UI
// pid=F0 Len=40 >"). The test is case-sensitive. A frame type counts with or without the
// command/response mark after it, because firmware differs: a UI frame sent without the
// version-2 command bits shows no mark ("ctl UI pid CF"), a proper command shows "ctl UI^".
class MonitorHeader {
public:
    // An unproto broadcast of the mailbox `bbs` (upper case) to FBB: its contents are header
    // lines.
    static bool isMailboxBroadcast(const QByteArray &header, const QByteArray &bbs);
    // A NET/ROM nodes broadcast: its contents are the binary routing table.
    static bool isNodesBroadcast(const QByteArray &header);
};

} // namespace krx
