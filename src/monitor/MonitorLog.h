#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace krx {

// The monitor log: every shown monitor text goes to the end of a file, flushed at once so that
// the file is complete whenever the program stops.
class MonitorLog {
public:
    // Opens the file for appending (it is created when missing). False when it cannot be.
    bool open(const QString &path);
    bool isOpen() const { return file_.isOpen(); }
    // Writes and flushes; false when not all of it reached the file.
    bool write(const QByteArray &text);
    void close();
    QString path() const { return file_.fileName(); }
    QString errorString() const { return file_.errorString(); }

private:
    QFile file_;
};

} // namespace krx
