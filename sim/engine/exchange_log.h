// Human-readable lines for the -v log of commands and answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "command_parser.h"

namespace camsim {

std::string describeCommand(const CommandPacket &command);

// `announced` payload bytes were announced in the header, `sent` went out.
std::string describeAnswer(const std::vector<uint8_t> &headerAndPayload, size_t announced,
                           size_t sent, uint32_t lineSpeed);

}  // namespace camsim
