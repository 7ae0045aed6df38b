#include "tncsim/TncParameters.h"

#include <QRegularExpression>

namespace krx::tncsim {

TncParameters::TncParameters() {
    const struct {
        const char *name;
        Kind kind;
        int maximum;
        const char *value;
    } table[] = {
        {"@A1", Kind::Number, 65535, "4"},   {"@A2", Kind::Number, 65535, "2"},
        {"@A3", Kind::Number, 65535, "1"},   {"@D", Kind::Number, 1, "0"},
        {"@T2", Kind::Number, 65535, "150"}, {"@T3", Kind::Number, 65535, "18000"},
        {"A", Kind::Number, 1, "0"},         {"E", Kind::Number, 1, "0"},
        {"F", Kind::Number, 255, "4"},       {"K", Kind::Number, 2, "0"},
        {"M", Kind::MonitorFlags, 0, "N"},   {"N", Kind::Number, 127, "10"},
        {"O", Kind::Number, 7, "7"},         {"P", Kind::Number, 255, "64"},
        {"R", Kind::Number, 1, "1"},         {"T", Kind::Number, 255, "30"},
        {"U", Kind::Text, 0, "0"},           {"W", Kind::Number, 255, "10"},
        {"X", Kind::Number, 1, "1"},         {"Z", Kind::Number, 3, "0"},
    };
    for (const auto &entry : table)
        parameters_[entry.name] = {entry.kind, entry.maximum, entry.value};
}

bool TncParameters::has(const QByteArray &name) const {
    return parameters_.contains(name);
}

QByteArray TncParameters::value(const QByteArray &name) const {
    const auto found = parameters_.find(name);
    return found == parameters_.end() ? QByteArray() : found->second.value;
}

int TncParameters::number(const QByteArray &name) const {
    return value(name).toInt();
}

namespace {

// "K dd.mm.yy" sets the TNC's date and "K hh:mm:ss" its time; the stamps keep following the
// simulator's clock, so the values are only checked.
bool isClockSetting(const QByteArray &value) {
    static const QRegularExpression date(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d$"));
    static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    const QString text = QString::fromLatin1(value);
    return date.match(text).hasMatch() || time.match(text).hasMatch();
}

} // namespace

bool TncParameters::set(const QByteArray &name, const QByteArray &value) {
    if (name == "K" && isClockSetting(value))
        return true;
    const auto found = parameters_.find(name);
    if (found == parameters_.end())
        return false;
    Parameter &parameter = found->second;
    switch (parameter.kind) {
    case Kind::Number: {
        bool isNumber = false;
        const int number = value.toInt(&isNumber);
        if (!isNumber || number < 0 || number > parameter.maximum)
            return false;
        parameter.value = QByteArray::number(number);
        return true;
    }
    case Kind::MonitorFlags: {
        const QByteArray flags = value.toUpper();
        if (flags.isEmpty())
            return false;
        for (char flag : flags)
            if (!QByteArray("NIUSC").contains(flag))
                return false;
        parameter.value = flags;
        return true;
    }
    case Kind::Text:
        parameter.value = value;
        return true;
    }
    return false;
}

QByteArrayList TncParameters::longNames() const {
    QByteArrayList names;
    for (const auto &[name, parameter] : parameters_)
        if (name.size() > 1)
            names << name;
    return names;
}

bool TncParameters::monitors(char frameClass) const {
    const QByteArray flags = value("M");
    return !flags.contains('N') && flags.contains(frameClass);
}

} // namespace krx::tncsim
