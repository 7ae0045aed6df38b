#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace krx::test {

// A throw-away program directory that a test fills with settings files.
class TempProgramDir {
public:
    TempProgramDir();

    QString path() const { return dir_.path(); }
    QString filePath(const QString &relative) const { return dir_.filePath(relative); }
    // Writes a file (creating folders); text is stored as given, 8-bit.
    void write(const QString &relative, const QByteArray &content) const;
    QByteArray read(const QString &relative) const;

private:
    QTemporaryDir dir_;
};

} // namespace krx::test
