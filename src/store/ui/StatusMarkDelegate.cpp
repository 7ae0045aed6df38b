#include "store/ui/StatusMarkDelegate.h"

#include "store/HeaderRecord.h"
#include "store/ui/HeaderTableModel.h"

#include <QPainter>

namespace krx {

QColor statusMarkColor(char status, bool isNew, const QPalette &palette) {
    switch (status) {
    case status::SevenPlus:
        return Qt::gray;
    case status::FetchFailed:
    case status::NotSent:
        return Qt::red;
    case status::Unfinished:
        return Qt::magenta;
    case status::ToKill:
        return QColor(0x80, 0, 0);
    case status::Unread:
        return Qt::blue;
    case status::Read:
        return Qt::cyan;
    case status::ToFetch:
        return Qt::green;
    case status::New:
        return isNew ? Qt::yellow : palette.color(QPalette::Base);
    default:
        return palette.color(QPalette::Base);
    }
}

void StatusMarkDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const {
    const QVariant status = index.data(HeaderTableModel::StatusRole);
    if (!status.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette &palette = option.palette;
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, palette.color(selected ? QPalette::Highlight : QPalette::Base));

    const int diameter = cell.height();
    const QRect circle(cell.left(), cell.top(), diameter, diameter);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(statusMarkColor(char(status.toInt()),
                                      index.data(HeaderTableModel::NewRole).toBool(), palette));
    painter->drawEllipse(circle.adjusted(1, 1, -1, -1));
    painter->setRenderHint(QPainter::Antialiasing, false);

    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect text = cell.adjusted(diameter + 2, 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    painter->setPen(palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace krx
