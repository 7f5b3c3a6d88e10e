#include "command_handler.h"

#include <algorithm>

#include "byte_order.h"
#include "protocol.h"
#include "speed_codes.h"

namespace camsim {

namespace {

struct CommandShape {
    uint8_t code;
    uint8_t subcode;
    size_t parameterBytes;
};

const CommandShape kShapes[] = {
    {CMD_READY, kSubcodeQuery, 0},
    {CMD_MEMORY_STATUS, kSubcodeQuery, 0},
    {CMD_LIST_GROUPS, kSubcodeQuery, 0},
    {CMD_GROUP_ENTRY, kSubcodeQuery, 4},
    {CMD_THUMBNAIL, kSubcodeQuery, 8},
    {CMD_PICTURE_DATA, kSubcodeQuery, 8},
    {CMD_MAKER, kSubcodeQuery, 0},
    {CMD_VERSION, kSubcodeQuery, 0},
    {CMD_SET_PACKET_SIZE, kSubcodeSetting, 4},
    {CMD_SET_SPEED, kSubcodeSetting, 4},
    {CMD_ERASE, kSubcodeSetting, 4},
};

const CommandShape *shapeOf(uint8_t code) {
    for (const auto &s : kShapes)
        if (s.code == code)
            return &s;
    return nullptr;
}

Answer refusal(uint8_t status) {
    return Answer{status, {}, std::nullopt};
}

Answer accepted(const CommandPacket &command, std::vector<uint8_t> payload = {}) {
    return Answer{command.subcode, std::move(payload), std::nullopt};
}

Answer textAnswer(const CommandPacket &command, const std::string &text) {
    return accepted(command, std::vector<uint8_t>(text.begin(), text.end()));
}

uint16_t groupParam(const CommandPacket &c) {
    return readLe16(&c.params[0]);
}
uint16_t pictureParam(const CommandPacket &c) {
    return readLe16(&c.params[2]);
}

}  // namespace

Answer CommandHandler::handle(const CommandPacket &command) {
    const CommandShape *shape = shapeOf(command.code);
    if (!shape || command.subcode != shape->subcode)
        return refusal(CAM_STATUS_UNKNOWN_COMMAND);
    if (command.params.size() != shape->parameterBytes)
        return refusal(CAM_STATUS_BAD_PARAMETER);

    switch (command.code) {
    case CMD_READY:
        return accepted(command);
    case CMD_MEMORY_STATUS:
        return memoryStatus();
    case CMD_LIST_GROUPS:
        return listGroups();
    case CMD_GROUP_ENTRY:
        return groupEntry(command);
    case CMD_THUMBNAIL:
        return thumbnail(command);
    case CMD_PICTURE_DATA:
        return pictureData(command);
    case CMD_MAKER:
        return textAnswer(command, profile_.maker);
    case CMD_VERSION:
        return textAnswer(command, profile_.version);
    case CMD_SET_PACKET_SIZE:
        return setPacketSize(command);
    case CMD_SET_SPEED:
        return setSpeed(command);
    case CMD_ERASE:
        return erase(command);
    default:
        return refusal(CAM_STATUS_UNKNOWN_COMMAND);
    }
}

Answer CommandHandler::memoryStatus() const {
    std::vector<uint8_t> payload(kMemoryStatusPayloadSize, 0);
    putLe16(&payload[0], static_cast<uint16_t>(pictures_.size()));
    putLe16(&payload[kMemoryStatusValueOffset], static_cast<uint16_t>(profile_.memoryStatus));
    return Answer{kSubcodeQuery, std::move(payload), std::nullopt};
}

Answer CommandHandler::listGroups() const {
    std::vector<uint8_t> payload;
    for (uint16_t g : pictures_.groups()) {
        appendLe16(payload, g);
        appendLe16(payload, static_cast<uint16_t>(pictures_.countIn(g)));
    }
    return Answer{kSubcodeQuery, std::move(payload), std::nullopt};
}

Answer CommandHandler::groupEntry(const CommandPacket &command) const {
    const uint16_t group = groupParam(command);
    const uint16_t number = pictureParam(command);
    if (number == 0) {
        const auto numbers = pictures_.picturesOf(group);
        const auto groups = pictures_.groups();
        if (std::find(groups.begin(), groups.end(), group) == groups.end())
            return refusal(CAM_STATUS_NO_SUCH_PICTURE);
        std::vector<uint8_t> payload;
        for (uint16_t n : numbers) {
            appendLe16(payload, n);
            appendLe16(payload, 0);
        }
        return accepted(command, std::move(payload));
    }
    const StoredPicture *picture = pictures_.find(group, number);
    if (!picture)
        return refusal(CAM_STATUS_NO_SUCH_PICTURE);
    std::vector<uint8_t> record(kPictureInfoRecordSize, 0);
    putLe16(&record[0], picture->group);
    putLe16(&record[2], picture->number);
    std::copy_n(picture->name.begin(), std::min<size_t>(picture->name.size(), 12),
                record.begin() + 4);
    putLe32(&record[kPictureInfoSizeOffset], static_cast<uint32_t>(picture->data.size()));
    putLe32(&record[20], static_cast<uint32_t>(picture->thumbnail.size()));
    return accepted(command, std::move(record));
}

Answer CommandHandler::thumbnail(const CommandPacket &command) const {
    const StoredPicture *picture = pictures_.find(groupParam(command), pictureParam(command));
    if (!picture)
        return refusal(CAM_STATUS_NO_SUCH_PICTURE);
    return accepted(command, picture->thumbnail);
}

Answer CommandHandler::pictureData(const CommandPacket &command) const {
    const StoredPicture *picture = pictures_.find(groupParam(command), pictureParam(command));
    if (!picture)
        return refusal(CAM_STATUS_NO_SUCH_PICTURE);
    const uint32_t offset = readLe32(&command.params[4]);
    const size_t size = picture->data.size();
    if (offset >= size)
        return accepted(command);
    const size_t piece = std::min<size_t>({size - offset, kPictureDataPiece, packetSize_});
    return accepted(command, std::vector<uint8_t>(picture->data.begin() + offset,
                                                  picture->data.begin() +
                                                      static_cast<std::ptrdiff_t>(offset + piece)));
}

Answer CommandHandler::setPacketSize(const CommandPacket &command) {
    const uint32_t size = readLe32(&command.params[0]);
    if (size == 0)
        return refusal(CAM_STATUS_BAD_PARAMETER);
    packetSize_ = std::min<uint32_t>(size, kPictureDataPiece);
    return accepted(command);
}

Answer CommandHandler::setSpeed(const CommandPacket &command) const {
    Answer answer = accepted(command);
    answer.switchToSpeed = lineSpeedForCode(command.params[0]);
    return answer;
}

Answer CommandHandler::erase(const CommandPacket &command) {
    if (!pictures_.erase(groupParam(command), pictureParam(command)))
        return refusal(CAM_STATUS_NO_SUCH_PICTURE);
    return accepted(command);
}

}  // namespace camsim
