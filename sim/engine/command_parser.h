// Splits the byte stream from the host into command packets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace camsim {

using Micros = uint64_t;

struct CommandPacket {
    uint8_t code = 0;
    uint8_t subcode = 0;
    std::vector<uint8_t> params;  // 0, 4 or 8 bytes
};

// The host never sends more than 8 parameter bytes, so a header announcing
// more (or an odd count) is line noise: it is thrown away and the parser
// looks for the next packet. A packet left incomplete for longer than the
// idle limit is dropped too, so that a camera which read junk while the two
// sides disagreed on the speed is ready for the host's next clean command.
class CommandParser {
public:
    explicit CommandParser(Micros idleLimit = 50000) : idleLimit_(idleLimit) {}

    // Adds received bytes; `now` is when they arrived.
    void feed(const uint8_t *bytes, size_t count, Micros now);

    // The next complete packet, if any.
    std::optional<CommandPacket> next();

    size_t pendingBytes() const { return buffer_.size(); }
    size_t discardedBytes() const { return discarded_; }

private:
    void dropNoise();

    Micros idleLimit_;
    Micros lastArrival_ = 0;
    std::vector<uint8_t> buffer_;
    size_t discarded_ = 0;
};

}  // namespace camsim
