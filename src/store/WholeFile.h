#pragma once

#include "store/StoreError.h"

#include <QByteArray>
#include <QString>

namespace krx {

FileResult<QByteArray> readWholeFile(const QString &path);

// Replaces a file with new content in one step: the content goes to a file beside it, which
// takes the old one's place by an atomic rename only when all of it was written, so a crash
// or a full disk never leaves half a file.
FileStatus writeWholeFile(const QString &path, const QByteArray &content);

} // namespace krx
