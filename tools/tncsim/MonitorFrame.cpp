#include "tncsim/MonitorFrame.h"

namespace krx::tncsim {

char MonitorFrame::frameClass() const {
    if (control.startsWith("UI"))
        return 'U';
    if (control.size() > 1 && control[0] == 'I' && control[1] >= '0' && control[1] <= '7')
        return 'I';
    return 'S';
}

QByteArray MonitorFrame::header() const {
    QByteArray text = "fm " + from + " to " + to;
    if (!via.isEmpty())
        text += " via " + via.join(' ');
    text += " ctl " + control;
    if (!pid.isEmpty())
        text += " pid " + pid;
    return text;
}

} // namespace krx::tncsim
