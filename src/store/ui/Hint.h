#pragma once

#include <QString>
#include <QWidget>

namespace krx {

// Gives a widget its hint: the text before "|" is its tooltip and the text after it (the
// whole text when there is no "|") goes to the status bar. An empty hint gives none.
inline void setHint(QWidget *widget, const QString &hint) {
    if (hint.isEmpty())
        return;
    widget->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    widget->setStatusTip(hint.contains(QLatin1Char('|')) ? hint.section(QLatin1Char('|'), 1)
                                                         : hint);
}

} // namespace krx
