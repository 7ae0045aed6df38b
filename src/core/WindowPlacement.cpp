#include "core/WindowPlacement.h"

#include "core/IniFile.h"
#include "core/Settings.h"

#include <QString>

namespace krx {

namespace {
constexpr int topShiftForNegative = 65;
}

std::optional<WindowPlacement> WindowPlacement::parse(const QByteArray &value) {
    const QByteArray trimmed = value.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    WindowPlacement placement;
    switch (trimmed.front()) {
    case '0':
        placement.state = State::Minimised;
        break;
    case '2':
        placement.state = State::Maximised;
        break;
    default:
        placement.state = State::Normal;
        break;
    }
    const QList<QByteArray> fields = trimmed.mid(2).simplified().split(' ');
    if (fields.size() != 4)
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = fields[i].toInt(&ok, 10);
        if (!ok)
            return std::nullopt;
    }
    placement.left = std::max(numbers[0], 0);
    placement.top = numbers[1] < 0 ? numbers[1] + topShiftForNegative : numbers[1];
    placement.width = numbers[2];
    placement.height = numbers[3];
    return placement;
}

QByteArray WindowPlacement::format() const {
    const char stateDigit = state == State::Minimised ? '0' : state == State::Maximised ? '2' : '1';
    return QByteArray(1, stateDigit) + ' ' + QByteArray::number(left) + ' ' +
           QByteArray::number(top) + ' ' + QByteArray::number(width) + ' ' +
           QByteArray::number(height);
}

std::optional<WindowPlacement> WindowPositions::restore(const QByteArray &windowKey) const {
    auto value = misc_.value(keys::positionsSection, windowKey);
    if (!value)
        value = mainFile_.value(keys::positionsSection, windowKey);
    if (!value)
        return std::nullopt;
    return WindowPlacement::parse(*value);
}

std::optional<QString> WindowPositions::save(const QByteArray &windowKey,
                                             const WindowPlacement &placement) {
    return misc_.writeString(keys::positionsSection, windowKey, placement.format());
}

} // namespace krx
