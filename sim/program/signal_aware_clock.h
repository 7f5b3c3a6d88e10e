// The real clock for paced output: waits are cut short by SIGTERM/SIGINT.
#pragma once

#include "line_endpoint.h"
#include "signal_watch.h"

namespace pdrsim {

class SignalAwareClock : public camsim::Clock {
public:
    explicit SignalAwareClock(const SignalWatch &signals) : signals_(signals) {}

    camsim::Micros now() override;
    bool sleepUntil(camsim::Micros when) override;

private:
    const SignalWatch &signals_;
};

}  // namespace pdrsim
