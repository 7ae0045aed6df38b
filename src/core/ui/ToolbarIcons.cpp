#include "core/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPixmap>

namespace krx {

namespace {

struct Tile {
    const char *label;
    QColor color;
};

Tile tileOf(Command command) {
    const QColor link(0x2e, 0x5e, 0xaa), mail(0x2e, 0x8b, 0x57), edit(0x6b, 0x6b, 0x6b),
        window(0x4a, 0x4a, 0x70), help(0xd2, 0x8c, 0x1e), stop(0xb2, 0x32, 0x32);
    if (const auto channel = channelOfCommand(command)) {
        static const char *numbers[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        return {numbers[*channel - 1], window};
    }
    switch (command) {
    case Command::Contents:
        return {"?", help};
    case Command::Bbs:
        return {"BBS", link};
    case Command::DxCluster:
        return {"DX", link};
    case Command::ConnectTo:
        return {"C", link};
    case Command::FetchHeaders:
        return {"Hd", mail};
    case Command::FetchMessages:
        return {"Rx", mail};
    case Command::SendMessages:
        return {"Tx", mail};
    case Command::Disconnect:
        return {"D", stop};
    case Command::NewMessage:
        return {"M+", mail};
    case Command::New7plus:
        return {"7+", mail};
    case Command::Cut:
        return {"Ct", edit};
    case Command::Copy:
        return {"Cp", edit};
    case Command::Paste:
        return {"Ps", edit};
    case Command::Lists:
        return {"L", window};
    case Command::Monitor:
        return {"0", window};
    default:
        return {"", edit};
    }
}

} // namespace

QIcon toolbarIcon(Command command) {
    const Tile tile = tileOf(command);
    constexpr int size = 48; // drawn large, shown small: sharp on high-density screens too
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile.color);
    painter.drawRoundedRect(QRectF(2, 2, size - 4, size - 4), 9, 9);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qstrlen(tile.label) > 2 ? 16 : 22);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(tile.label));
    return QIcon(pixmap);
}

} // namespace krx
