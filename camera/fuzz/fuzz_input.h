// The fuzz input as a stream of decisions. The driver (which export, with
// which arguments) and the scripted line (every answer) take bytes from its
// front in the order the library asks for them, so an input reads as the
// transcript of one session. Past the end each taker gets the fallback it names.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace peltrix {
namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : next(data), end(data + size) {}

    bool exhausted() const { return next == end; }

    std::uint8_t take(std::uint8_t fallback) { return next == end ? fallback : *next++; }

    // Up to count bytes into target; the number there were.
    int takeBytes(void *target, int count) {
        const int n = static_cast<int>(std::min<std::ptrdiff_t>(count, end - next));
        if (n > 0) {
            std::memcpy(target, next, static_cast<std::size_t>(n));
            next += n;
        }
        return std::max(n, 0);
    }

private:
    const std::uint8_t *next;
    const std::uint8_t *end;
};

}  // namespace fuzz
}  // namespace peltrix
