#include "core/ui/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace krx {

bool DesktopShell::open(const QString &pathOrUrl) {
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl)
                                                  : QUrl::fromUserInput(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

bool DesktopShell::explore(const QString &folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace krx
