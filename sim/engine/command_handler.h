// Carries out one command against the camera's state and says what the
// camera answers, before any fault is applied.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "camera_profile.h"
#include "command_parser.h"
#include "picture_store.h"

namespace camsim {

struct Answer {
    uint8_t statusOrSubcode = 0;  // the subcode echo, or a status of 0x80 or more
    std::vector<uint8_t> payload;
    std::optional<uint32_t> switchToSpeed;  // after this answer has gone out
};

class CommandHandler {
public:
    CommandHandler(const CameraProfile &profile, PictureStore &pictures)
        : profile_(profile), pictures_(pictures) {}

    Answer handle(const CommandPacket &command);

    uint32_t packetSize() const { return packetSize_; }

private:
    Answer memoryStatus() const;
    Answer listGroups() const;
    Answer groupEntry(const CommandPacket &command) const;
    Answer thumbnail(const CommandPacket &command) const;
    Answer pictureData(const CommandPacket &command) const;
    Answer setPacketSize(const CommandPacket &command);
    Answer setSpeed(const CommandPacket &command) const;
    Answer erase(const CommandPacket &command);

    const CameraProfile &profile_;
    PictureStore &pictures_;
    uint32_t packetSize_ = 2048;
};

}  // namespace camsim
