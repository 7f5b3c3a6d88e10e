#include "signal_aware_clock.h"

#include <poll.h>

#include <chrono>

namespace pdrsim {

camsim::Micros SignalAwareClock::now() {
    using namespace std::chrono;
    return static_cast<camsim::Micros>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

bool SignalAwareClock::sleepUntil(camsim::Micros when) {
    for (;;) {
        const camsim::Micros current = now();
        if (current >= when)
            return !signals_.raised();
        const camsim::Micros wait = when - current;
        struct timespec timeout = {static_cast<time_t>(wait / 1000000),
                                   static_cast<long>((wait % 1000000) * 1000)};
        struct pollfd p = {signals_.fd(), POLLIN, 0};
        if (ppoll(&p, 1, &timeout, nullptr) > 0 && (p.revents & POLLIN))
            return false;
    }
}

}  // namespace pdrsim
