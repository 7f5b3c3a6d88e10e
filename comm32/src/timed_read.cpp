#include "timed_read.h"

#include <algorithm>

namespace comm32 {

namespace {

// Rounded up: a wait cut short by rounding would make the call end before
// its deadline.
std::chrono::milliseconds remainingUntil(Clock::TimePoint deadline, Clock::TimePoint now) {
    if (now >= deadline)
        return std::chrono::milliseconds(0);
    return std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
}

}  // namespace

int readUntilDeadline(SerialLine &line, const Clock &clock, unsigned char *buffer, int count,
                      std::chrono::milliseconds timeout) {
    if (buffer == nullptr || count <= 0)
        return 0;
    const auto deadline = clock.now() + std::max(timeout, std::chrono::milliseconds(0));
    int gathered = 0;
    for (;;) {
        const int got = line.receive(buffer + gathered, count - gathered,
                                     remainingUntil(deadline, clock.now()));
        if (got < 0)
            break;
        gathered += got;
        if (gathered >= count)
            break;
        // A final look after the deadline takes only what is already waiting;
        // once that is empty, the call is over.
        if (got == 0 && clock.now() >= deadline)
            break;
    }
    return gathered;
}

std::chrono::milliseconds quietWindow(int windows) {
    constexpr int kWindowMs = 10;
    constexpr int kMostWindows = 100;  // one second: a drain must not stall the caller longer
    return std::chrono::milliseconds(kWindowMs * std::clamp(windows, 1, kMostWindows));
}

int readUnlessQuiet(SerialLine &line, unsigned char *buffer, int maxCount,
                    std::chrono::milliseconds window) {
    if (buffer == nullptr || maxCount <= 0)
        return 0;
    return std::max(line.receive(buffer, maxCount, window), 0);
}

}  // namespace comm32
