#include "monitor/MonitorLog.h"

namespace krx {

bool MonitorLog::open(const QString &path) {
    close();
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Append);
}

bool MonitorLog::write(const QByteArray &text) {
    return file_.write(text) == text.size() && file_.flush();
}

void MonitorLog::close() {
    if (file_.isOpen()) {
        file_.flush();
        file_.close();
    }
}

} // namespace krx
