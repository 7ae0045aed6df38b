#include "store/WholeFile.h"

#include <QFile>
#include <QSaveFile>

namespace krx {

FileResult<QByteArray> readWholeFile(const QString &path) {
    QFile file(path);
    if (!file.exists())
        return missingFile(path);
    if (!file.open(QIODevice::ReadOnly))
        return failedFile(path, file.errorString());
    return file.readAll();
}

FileStatus writeWholeFile(const QString &path, const QByteArray &content) {
    QSaveFile file(path);
    // Unbuffered: a buffered write that fails only when the file is closed would go unseen by
    // the save file, which would then put the cut file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(content) != content.size() || !file.commit())
        return failedFile(path, file.errorString());
    return Done{};
}

} // namespace krx
