#include "terminal/ui/TMDIChild.h"

namespace krx {

TMDIChild::TMDIChild(int channel, Language, QWidget *parent)
    : MdiChildWindow(parent), channel_(channel) {
    setObjectName(QStringLiteral("QSO%1").arg(channel));
    setWindowTitle(QStringLiteral("(%1) DISCONNECTED ").arg(channel));
    setPreferredSize(QSize(560, 360));
}

} // namespace krx
