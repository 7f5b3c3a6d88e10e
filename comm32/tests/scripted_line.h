// A SerialLine whose bytes arrive at set times on a virtual clock. receive()
// behaves as poll() then read() would: it hands over what has arrived, or lets
// virtual time run to the next arrival or to the end of the wait.
#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <vector>

#include "clock.h"
#include "serial_line.h"

namespace comm32_test {

using namespace comm32;

class VirtualClock final : public Clock {
public:
    TimePoint now() const override { return now_; }
    void advanceTo(TimePoint when) { now_ = std::max(now_, when); }
    std::chrono::microseconds elapsed() const {
        return std::chrono::duration_cast<std::chrono::microseconds>(now_ - TimePoint());
    }

private:
    TimePoint now_{};
};

class ScriptedLine final : public SerialLine {
public:
    explicit ScriptedLine(VirtualClock &clock, bool *destroyed = nullptr)
        : clock_(clock), destroyed_(destroyed) {}
    ~ScriptedLine() override {
        if (destroyed_)
            *destroyed_ = true;
    }

    // `bytes` arrive `at` after the clock's origin.
    void arrive(std::chrono::microseconds at, std::vector<unsigned char> bytes) {
        for (unsigned char byte : bytes)
            script_.push_back({Clock::TimePoint(at), byte});
    }
    // From `at` on, the line reports failure once nothing is left to read.
    void hangUpAt(std::chrono::microseconds at) { hangUp_ = Clock::TimePoint(at); }

    const std::vector<std::chrono::milliseconds> &waits() const { return waits_; }

    bool setSpeed(int) override { return true; }
    void setModemLines(bool) override {}
    int send(const unsigned char *, int count) override { return count; }

    int receive(unsigned char *buffer, int maxCount, std::chrono::milliseconds wait) override {
        waits_.push_back(wait);
        const auto until = clock_.now() + wait;
        if (!script_.empty() && script_.front().at <= until) {
            clock_.advanceTo(script_.front().at);
            int n = 0;
            while (n < maxCount && !script_.empty() && script_.front().at <= clock_.now()) {
                buffer[n++] = script_.front().byte;
                script_.pop_front();
            }
            return n;
        }
        if (hangUp_ <= until) {
            clock_.advanceTo(hangUp_);
            return -1;
        }
        clock_.advanceTo(until);
        return 0;
    }

private:
    struct Arrival {
        Clock::TimePoint at;
        unsigned char byte;
    };
    VirtualClock &clock_;
    bool *destroyed_;
    std::deque<Arrival> script_;
    Clock::TimePoint hangUp_ = Clock::TimePoint::max();
    std::vector<std::chrono::milliseconds> waits_;
};

}  // namespace comm32_test
