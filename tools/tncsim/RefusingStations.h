#pragma once

#include "tncsim/Station.h"

namespace krx::tncsim {

// Answers every connect request with DM: the caller hears BUSY.
class BusyStation final : public Station {
public:
    using Station::Station;
    ConnectAnswer answerConnect(const QByteArray &) override { return ConnectAnswer::Busy; }
};

// Never answers: the caller's tries run out and it hears LINK FAILURE.
class UnreachableStation final : public Station {
public:
    using Station::Station;
    ConnectAnswer answerConnect(const QByteArray &) override { return ConnectAnswer::NoAnswer; }
};

} // namespace krx::tncsim
