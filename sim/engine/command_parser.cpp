#include "command_parser.h"

#include "byte_order.h"
#include "protocol.h"

namespace camsim {

namespace {
bool plausibleParameterCount(uint16_t n) {
    return n == 0 || n == 4 || n == 8;
}
}  // namespace

void CommandParser::feed(const uint8_t *bytes, size_t count, Micros now) {
    if (count == 0)
        return;
    if (!buffer_.empty() && now > lastArrival_ + idleLimit_) {
        discarded_ += buffer_.size();
        buffer_.clear();
    }
    lastArrival_ = now;
    buffer_.insert(buffer_.end(), bytes, bytes + count);
}

void CommandParser::dropNoise() {
    // Resynchronise one byte at a time: the start of a real packet may sit
    // just behind the junk.
    while (buffer_.size() >= kCommandHeaderSize &&
           !plausibleParameterCount(readLe16(&buffer_[2]))) {
        buffer_.erase(buffer_.begin());
        ++discarded_;
    }
}

std::optional<CommandPacket> CommandParser::next() {
    dropNoise();
    if (buffer_.size() < kCommandHeaderSize)
        return std::nullopt;
    const size_t paramCount = readLe16(&buffer_[2]);
    if (buffer_.size() < kCommandHeaderSize + paramCount)
        return std::nullopt;
    CommandPacket packet;
    packet.code = buffer_[0];
    packet.subcode = buffer_[1];
    packet.params.assign(buffer_.begin() + kCommandHeaderSize,
                         buffer_.begin() +
                             static_cast<std::ptrdiff_t>(kCommandHeaderSize + paramCount));
    buffer_.erase(buffer_.begin(),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(kCommandHeaderSize + paramCount));
    return packet;
}

}  // namespace camsim
