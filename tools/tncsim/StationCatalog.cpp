#include "tncsim/StationCatalog.h"

#include "tncsim/CallingStation.h"
#include "tncsim/Callsign.h"
#include "tncsim/EchoStation.h"
#include "tncsim/NodeStation.h"
#include "tncsim/RefusingStations.h"

namespace krx::tncsim {

namespace {

template <typename Kind> StationCatalog::Maker withoutArgument() {
    return [](const QByteArray &call, const QByteArray &argument) -> std::unique_ptr<Station> {
        if (!argument.isEmpty())
            return nullptr;
        return std::make_unique<Kind>(call);
    };
}

std::unique_ptr<Station> makeCaller(const QByteArray &call, const QByteArray &argument) {
    if (argument.isEmpty())
        return std::make_unique<CallingStation>(call);
    bool isNumber = false;
    const int seconds = argument.toInt(&isNumber);
    if (!isNumber || seconds < 0)
        return nullptr;
    return std::make_unique<CallingStation>(call, qint64(seconds) * 1000);
}

} // namespace

StationCatalog StationCatalog::standard() {
    StationCatalog catalog;
    catalog.add("echo", withoutArgument<EchoStation>());
    catalog.add("node", withoutArgument<NodeStation>());
    catalog.add("busy", withoutArgument<BusyStation>());
    catalog.add("unreachable", withoutArgument<UnreachableStation>());
    catalog.add("caller", makeCaller);
    return catalog;
}

QByteArrayList StationCatalog::demoSet() {
    return {"echo:QQ7ECH", "node:QQ3NOD", "busy:QQ8BSY", "unreachable:QQ9NOA", "caller:QQ5CAL:30"};
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
