#include "tncsim/StationCatalog.h"

#include "tncsim/CallingStation.h"
#include "tncsim/Callsign.h"
#include "tncsim/ChatterStation.h"
#include "tncsim/DxClusterStation.h"
#include "tncsim/EchoStation.h"
#include "tncsim/NodeStation.h"
#include "tncsim/NodesBroadcaster.h"
#include "tncsim/RefusingStations.h"

#include <optional>

namespace krx::tncsim {

namespace {

template <typename Kind> StationCatalog::Maker withoutArgument() {
    return [](const QByteArray &call, const QByteArray &argument) -> std::unique_ptr<Station> {
        if (!argument.isEmpty())
            return nullptr;
        return std::make_unique<Kind>(call);
    };
}

// Whole seconds from `minimum` on, as milliseconds.
std::optional<qint64> millisecondsOf(const QByteArray &seconds, int minimum) {
    bool isNumber = false;
    const int value = seconds.toInt(&isNumber);
    if (!isNumber || value < minimum)
        return std::nullopt;
    return qint64(value) * 1000;
}

std::unique_ptr<Station> makeCaller(const QByteArray &call, const QByteArray &argument) {
    if (argument.isEmpty())
        return std::make_unique<CallingStation>(call);
    const auto delay = millisecondsOf(argument, 0);
    return delay ? std::make_unique<CallingStation>(call, *delay) : nullptr;
}

// A station that acts every ARGUMENT seconds, or at its own default interval.
template <typename Kind> StationCatalog::Maker withInterval() {
    return [](const QByteArray &call, const QByteArray &argument) -> std::unique_ptr<Station> {
        if (argument.isEmpty())
            return std::make_unique<Kind>(call);
        const auto interval = millisecondsOf(argument, 1);
        return interval ? std::make_unique<Kind>(call, *interval) : nullptr;
    };
}

} // namespace

StationCatalog StationCatalog::standard() {
    StationCatalog catalog;
    catalog.add("echo", withoutArgument<EchoStation>());
    catalog.add("node", withoutArgument<NodeStation>());
    catalog.add("busy", withoutArgument<BusyStation>());
    catalog.add("unreachable", withoutArgument<UnreachableStation>());
    catalog.add("caller", makeCaller);
    catalog.add("dxcluster", withInterval<DxClusterStation>());
    catalog.add("chatter", withInterval<ChatterStation>());
    catalog.add("netrom", withInterval<NodesBroadcaster>());
    return catalog;
}

QByteArrayList StationCatalog::demoSet() {
    return {"echo:QQ7ECH",        "node:QQ3NOD",      "dxcluster:QQ5DX:15", "busy:QQ8BSY",
            "unreachable:QQ9NOA", "caller:QQ5CAL:20", "chatter:QQ6RAD:10",  "netrom:QQ4NOD:60"};
}

void StationCatalog::add(const QByteArray &kind, Maker maker) {
    makers_[kind.toLower()] = std::move(maker);
}

QByteArrayList StationCatalog::kinds() const {
    QByteArrayList list;
    for (const auto &[kind, maker] : makers_)
        list << kind;
    return list;
}

std::unique_ptr<Station> StationCatalog::create(const QByteArray &description,
                                                QString *error) const {
    const QByteArrayList parts = description.split(':');
    const QString quoted = QStringLiteral("\"%1\"").arg(QString::fromLatin1(description));
    if (parts.size() < 2 || parts.size() > 3) {
        *error = QStringLiteral("%1 is not KIND:CALL or KIND:CALL:ARGUMENT").arg(quoted);
        return nullptr;
    }
    const auto maker = makers_.find(parts[0].toLower());
    if (maker == makers_.end()) {
        *error = QStringLiteral("%1: no station kind %2 (kinds: %3)")
                     .arg(quoted, QString::fromLatin1(parts[0]),
                          QString::fromLatin1(kinds().join(", ")));
        return nullptr;
    }
    if (!Callsign::isValid(parts[1])) {
        *error = QStringLiteral("%1: %2 is not a call").arg(quoted, QString::fromLatin1(parts[1]));
        return nullptr;
    }
    auto station = maker->second(parts[1], parts.value(2));
    if (!station)
        *error = QStringLiteral("%1: the argument does not suit this kind").arg(quoted);
    return station;
}

} // namespace krx::tncsim
