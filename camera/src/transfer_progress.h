// The percentage reported to the host before each piece of a transfer.
#pragma once

#include <cstdint>

namespace peltrix {

// offset * 100 / total, rounded down; computed in 64 bits so that pictures
// above 21 MB do not overflow. total must be positive.
inline int transferPercent(std::int32_t offset, std::int32_t total) {
    return static_cast<int>(std::int64_t{offset} * 100 / total);
}

}  // namespace peltrix
