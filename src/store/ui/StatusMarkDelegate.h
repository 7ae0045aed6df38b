#pragma once

#include <QColor>
#include <QPalette>
#include <QStyledItemDelegate>

namespace krx {

// The colour of a header's status mark; for a blank status yellow while the header is new
// and the window colour (no visible mark) when it is not.
QColor statusMarkColor(char status, bool isNew, const QPalette &palette);

// Draws the number cell of a header row: a filled circle as high as the row at the cell's
// left edge, the number after it and a frame around the cell.
class StatusMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace krx
