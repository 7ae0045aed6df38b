#pragma once

#include "tncsim/Station.h"

#include <QByteArrayList>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace krx::tncsim {

// Makes stations from descriptions "KIND:CALL" or "KIND:CALL:ARGUMENT", as the command line
// names them. New kinds of station are added with add().
class StationCatalog {
public:
    // Nothing when the argument does not suit the kind.
    using Maker =
        std::function<std::unique_ptr<Station>(const QByteArray &call, const QByteArray &argument)>;

    // echo, node, busy, unreachable, caller (ARGUMENT: seconds before it calls the TNC),
    // dxcluster (seconds between spots), chatter (seconds between bursts of traffic heard on
    // the air), netrom (seconds between NODES broadcasts).
    static StationCatalog standard();
    // A lively world to try the program in: an echo station, a node, a DX cluster spotting
    // every 15 s, a busy and an unreachable station, a station that calls after 20 s,
    // traffic between other stations every 10 s and a NODES broadcast every minute.
    static QByteArrayList demoSet();

    void add(const QByteArray &kind, Maker maker);
    QByteArrayList kinds() const;
    // Nothing, and the reason in error, when the description is not usable.
    std::unique_ptr<Station> create(const QByteArray &description, QString *error) const;

private:
    std::map<QByteArray, Maker> makers_;
};

} // namespace krx::tncsim
