// The time source of the timed reads: the steady clock in the library, a
// virtual clock in tests of the deadline logic.
#pragma once

#include <chrono>

namespace comm32 {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
};

class SteadyClock final : public Clock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace comm32
