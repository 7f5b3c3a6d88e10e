// The camera's wire protocol: command codes, subcodes, status codes and the
// fixed sizes both sides agree on. The simulated camera keeps its own copy
// (sim/engine/protocol.h) on purpose: the library's tests run against it, so
// a wrong value here meets the camera's value instead of agreeing with itself.
#pragma once

#include <cstdint>

namespace peltrix {

enum CamCommand : std::uint8_t {
    CMD_READY = 0x10,
    CMD_MEMORY_STATUS = 0x11,
    CMD_LIST_GROUPS = 0x14,
    CMD_GROUP_ENTRY = 0x15,
    CMD_THUMBNAIL = 0x16,
    CMD_PICTURE_DATA = 0x17,
    CMD_MAKER = 0x20,
    CMD_VERSION = 0x25,
    CMD_SET_PACKET_SIZE = 0x30,
    CMD_SET_SPEED = 0x31,
    CMD_ERASE = 0x43,
};

constexpr std::uint8_t CAM_SUBCODE_QUERY = 0x00;
constexpr std::uint8_t CAM_SUBCODE_SETTING = 0x05;

constexpr int CAM_STATUS_BUSY = 128;
constexpr int CAM_STATUS_RESYNC = 137;

constexpr int CAM_HEADER_SIZE = 4;
constexpr int CAM_PACKET_SIZE = 2048;     // payload piece, also the packet size set per session
constexpr int CAM_QUERY_CAPACITY = 1024;  // answers to queries and directory listings
constexpr int CAM_THUMBNAIL_SIZE = 14336;

constexpr int CAM_HEADER_TIMEOUT_MS = 100;
constexpr int CAM_MIN_PAYLOAD_TIMEOUT_MS = 200;
constexpr int CAM_RESTING_SPEED = 19200;  // every port is opened at it, every session ends at it
constexpr int CAM_RESTING_SPEED_CODE = 2;

// Wait allowance of the ready probe: busy is a failure, a re-sync request a plain resend.
constexpr int CAM_ALLOWANCE_PROBE = -2;

inline bool camIsRefusal(int status) {
    return (status >= 134 && status <= 136) || (status >= 138 && status <= 142) || status == 202;
}

inline std::uint16_t camLoad16(const std::uint8_t *p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t camLoad32(const std::uint8_t *p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void camStore16(std::uint8_t *p, unsigned value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void camStore32(std::uint8_t *p, std::uint32_t value) {
    camStore16(p, value & 0xFFFF);
    camStore16(p + 2, value >> 16);
}

}  // namespace peltrix
