#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace krx::test {

TempProgramDir::TempProgramDir() {
    Q_ASSERT(dir_.isValid());
}

void TempProgramDir::write(const QString &relative, const QByteArray &content) const {
    const QString path = filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

QByteArray TempProgramDir::read(const QString &relative) const {
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace krx::test
