// Wire constants of the camera's command/response protocol, camera side.
// Written out here on purpose rather than taken from the camera library: the
// simulator is the other side of the wire, so a wrong value in the library is
// met by the camera's own value in every end-to-end test instead of agreeing
// with itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace camsim {

// Command codes as the host sends them in byte 0 of a command packet.
enum CommandCode : uint8_t {
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

constexpr uint8_t kSubcodeQuery = 0x00;
constexpr uint8_t kSubcodeSetting = 0x05;

// Status codes put in byte 1 of a response instead of the subcode echo.
constexpr uint8_t CAM_STATUS_BUSY = 0x80;
constexpr uint8_t CAM_STATUS_UNKNOWN_COMMAND = 0x86;
constexpr uint8_t CAM_STATUS_BAD_PARAMETER = 0x87;
constexpr uint8_t CAM_STATUS_NO_SUCH_PICTURE = 0x88;
constexpr uint8_t CAM_STATUS_RESYNC = 0x89;

constexpr size_t kCommandHeaderSize = 4;
constexpr size_t kResponseHeaderSize = 4;
constexpr size_t kMaxParameterBytes = 8;
constexpr size_t kPictureDataPiece = 2048;
constexpr size_t kThumbnailCapacity = 14336;
constexpr size_t kGroupListRecordSize = 4;
constexpr size_t kPictureListRecordSize = 4;
constexpr size_t kPictureInfoRecordSize = 32;
constexpr size_t kPictureInfoSizeOffset = 16;
constexpr size_t kMemoryStatusPayloadSize = 8;
constexpr size_t kMemoryStatusValueOffset = 6;

// The camera rests at this line speed at power-on and after speed code 2.
constexpr uint32_t kRestingLineSpeed = 19200;

}  // namespace camsim
