#pragma once

#include "core/ResponseEndpoints.h"

#include <QByteArrayList>
#include <QList>

namespace krx::test {

// Records what the routing hands to a channel window ("code:text" per shown text). Its status
// answer reports the second status number as frames waiting when it is above 3.
struct RecordingChannel final : ChannelEndpoint {
    void ShowText(const QByteArray &text, int code) override {
        shown << (QByteArray::number(code) + ':' + text);
    }
    void ProcessResponse(const HostResponse &response) override { processed << response.code; }
    void ShowConnectStatus(const QByteArray &text) override { connectStatus << text; }
    int ShowLinkStatus(const QByteArray &text) override {
        statuses << text;
        const int waiting = text.split(' ').value(1).toInt();
        return waiting > 3 ? waiting : 0;
    }
    bool sawShown(const QByteArray &entry) const { return shown.contains(entry); }

    QByteArrayList shown, connectStatus, statuses;
    QList<int> processed;
};

// Records what the routing hands to the monitor window.
struct RecordingMonitor final : MonitorEndpoint {
    void ShowMonitorText(const QByteArray &text, int code) override {
        shown << (QByteArray::number(code) + ':' + text);
    }
    void CaptureMonitor(const HostResponse &response) override { captured << response.code; }
    int ShowMonitorStatus(const QByteArray &text) override {
        statuses << text;
        return 0;
    }

    QByteArrayList shown, statuses;
    QList<int> captured;
};

} // namespace krx::test
