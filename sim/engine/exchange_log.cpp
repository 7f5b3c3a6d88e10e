#include "exchange_log.h"

#include <cstdio>

#include "protocol.h"

namespace camsim {

namespace {

const char *commandName(uint8_t code) {
    switch (code) {
    case CMD_READY:
        return "ready";
    case CMD_MEMORY_STATUS:
        return "memory-status";
    case CMD_LIST_GROUPS:
        return "list-groups";
    case CMD_GROUP_ENTRY:
        return "group-entry";
    case CMD_THUMBNAIL:
        return "thumbnail";
    case CMD_PICTURE_DATA:
        return "picture-data";
    case CMD_MAKER:
        return "maker";
    case CMD_VERSION:
        return "version";
    case CMD_SET_PACKET_SIZE:
        return "packet-size";
    case CMD_SET_SPEED:
        return "speed";
    case CMD_ERASE:
        return "erase";
    default:
        return "unknown";
    }
}

}  // namespace

std::string describeCommand(const CommandPacket &command) {
    char text[96];
    int n = std::snprintf(text, sizeof text, "%-13s %02X %02X", commandName(command.code),
                          command.code, command.subcode);
    std::string line(text, static_cast<size_t>(n));
    for (uint8_t b : command.params) {
        std::snprintf(text, sizeof text, " %02X", b);
        line += text;
    }
    return line;
}

std::string describeAnswer(const std::vector<uint8_t> &bytes, size_t announced, size_t sent,
                           uint32_t lineSpeed) {
    char text[128];
    std::snprintf(text, sizeof text, "%02X %02X, %zu payload bytes", bytes[0], bytes[1], announced);
    std::string line = text;
    if (sent != announced) {
        std::snprintf(text, sizeof text, " (only %zu sent)", sent);
        line += text;
    }
    std::snprintf(text, sizeof text, " at %u", static_cast<unsigned>(lineSpeed));
    return line + text;
}

}  // namespace camsim
