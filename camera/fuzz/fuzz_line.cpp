#include "fuzz_line.h"

#include "fuzz_failure.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace peltrix {
namespace fuzz {
namespace {

// Byte 1 of a status answer (mode 3): busy, re-sync (weighted, it is the one
// that nests), the refusals, and three the library does not know.
constexpr std::uint8_t kStatuses[16] = {128, 137, 137, 137, 134, 135, 136,  138,
                                        139, 140, 141, 142, 202, 129, 0x10, 255};

constexpr std::uint8_t kFailAbove = 0xE0;
constexpr std::uint8_t kQuietBelow = 0xF0;

void traceBytes(const char *label, int port, const void *bytes, int count, int result) {
    std::fprintf(stderr, "  %s %d (%d) -> %d:", label, port, count, result);
    const auto *p = static_cast<const std::uint8_t *>(bytes);
    for (int i = 0; i < std::min(result, 16); ++i)
        std::fprintf(stderr, " %02x", p[i]);
    std::fputs(result > 16 ? " ...\n" : "\n", stderr);
}

}  // namespace

FuzzLine::FuzzLine(FuzzInput &input, const LineLimits &limits, bool trace)
    : input(input), limits(limits), trace(trace) {}

void FuzzLine::step(const char *operation, int port) {
    if (++operationCount > limits.maxOperations)
        fuzzFailure("the call does not finish: more than %ld line operations for this input "
                    "(now %s on port %d)",
                    limits.maxOperations, operation, port);
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    const std::uintptr_t depth = limits.stackBase > here ? limits.stackBase - here : 0;
    deepest = std::max(deepest, depth);
    if (depth > limits.maxStackBytes)
        fuzzFailure("calls nest too deep: %s on port %d with %zu bytes of stack below the "
                    "driver (bound %zu)",
                    operation, port, static_cast<std::size_t>(depth),
                    static_cast<std::size_t>(limits.maxStackBytes));
}

bool FuzzLine::isOpen(int port) const {
    return port >= 1 && port <= 9 && (openPorts & (1u << port)) != 0;
}

int FuzzLine::open(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
                   int outQueue) {
    step("open", port);
    if (std::strcmp(prefix, "com") != 0 || port < 1 || port > 9 || speed != 19200 || a4 != 8 ||
        a5 != 1 || a6 != 1 || inQueue != 4096 || outQueue != 4096)
        fuzzFailure("open outside the serial library's contract: (\"%s\", %d, %d, %d, %d, %d, "
                    "%d, %d)",
                    prefix, port, speed, a4, a5, a6, inQueue, outQueue);
    const std::uint8_t decision = input.take(0xFF);
    const int result = decision < kFailAbove ? port : (decision & 1 ? 0 : -1);
    if (result > 0)
        openPorts |= 1u << port;
    if (trace)
        std::fprintf(stderr, "  open %d -> %d\n", port, result);
    return result;
}

int FuzzLine::setFlow(int port, int mode) {
    step("setFlow", port);
    if (mode != 2)
        fuzzFailure("setFlow with mode %d", mode);
    return isOpen(port) ? 1 : 0;
}

int FuzzLine::setBaud(int port, int speed) {
    step("setBaud", port);
    if (!isOpen(port))
        return 0;
    const int result = input.take(0) < kFailAbove ? 1 : 0;
    if (trace)
        std::fprintf(stderr, "  setBaud %d %d -> %d\n", port, speed, result);
    return result;
}

int FuzzLine::write(int port, const void *bytes, int count) {
    step("write", port);
    if (count != 4 && count != 8 && count != 12)
        fuzzFailure("write of %d bytes", count);
    if (!isOpen(port))
        return 0;
    std::memset(lastWritten, 0, sizeof lastWritten);
    std::memcpy(lastWritten, bytes, static_cast<std::size_t>(count));
    delivered = 0;
    if (trace)
        traceBytes("write", port, bytes, count, count);
    return count;
}

int FuzzLine::answerHeader(std::uint8_t *target, int count, std::uint8_t byte1, int length) {
    const std::uint8_t header[4] = {lastWritten[0], byte1, static_cast<std::uint8_t>(length),
                                    static_cast<std::uint8_t>(length >> 8)};
    const int n = std::min(count, 4);
    std::memcpy(target, header, static_cast<std::size_t>(n));
    return n;
}

int FuzzLine::readTimed(int port, void *buffer, int count, int timeoutMs) {
    step("readTimed", port);
    if (count < 1 || count > 2048 || timeoutMs < 100)
        fuzzFailure("readTimed of %d bytes with a time-out of %d ms", count, timeoutMs);
    int result = 0;
    if (isOpen(port)) {
        auto *target = static_cast<std::uint8_t *>(buffer);
        const std::uint8_t control = input.take(0);
        const int parameter = control >> 3;
        switch (control & 7) {
        case 0:
            break;
        case 1:
            result = -1;
            break;
        case 2:
        case 3: {
            const std::uint8_t byte1 =
                (control & 7) == 2 ? lastWritten[1] : kStatuses[parameter % 16];
            const int low = input.take(0);
            const int length = low | (input.take(0) << 8);
            result = answerHeader(target, count, byte1, length);
            break;
        }
        case 4:
            result = input.takeBytes(target, count);
            break;
        case 5:
            result = input.takeBytes(target, input.take(0) % count);
            break;
        case 6:
            std::memset(target, input.take(0), static_cast<std::size_t>(count));
            result = count;
            break;
        case 7:
            result = answerHeader(target, count, lastWritten[1], parameter);
            break;
        }
        if (result > 0)
            delivered += result;
        if (trace)
            traceBytes("read", port, buffer, count, result);
    }
    if (result < count)
        clockMs += timeoutMs;  // waited in vain for the rest
    return result;
}

int FuzzLine::readBufToQuiet(int port, void *buffer, int maxCount, int arg) {
    step("readBufToQuiet", port);
    if (maxCount != 15 || arg != 1)
        fuzzFailure("readBufToQuiet for %d bytes with argument %d", maxCount, arg);
    if (!isOpen(port))
        return 0;
    const std::uint8_t decision = input.take(0);
    const int result = decision < kQuietBelow ? 0 : std::min(decision & 15, maxCount);
    std::memset(buffer, 0xA5, static_cast<std::size_t>(result));
    if (trace && result > 0)
        std::fprintf(stderr, "  flush %d -> %d\n", port, result);
    return result;
}

int FuzzLine::sleepMs(int port, int ms) {
    step("sleepMs", port);
    if (ms < 0)
        fuzzFailure("pause of %d ms", ms);
    clockMs += ms;
    return 0;
}

int FuzzLine::close(int port) {
    step("close", port);
    if (!isOpen(port))
        return 0;
    const int result = input.take(0) < kFailAbove ? 1 : 0;
    if (result == 1)
        openPorts &= ~(1u << port);
    if (trace)
        std::fprintf(stderr, "  close %d -> %d\n", port, result);
    return result;
}

}  // namespace fuzz
}  // namespace peltrix
