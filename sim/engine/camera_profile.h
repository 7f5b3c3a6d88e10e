// What the camera says about itself.
#pragma once

#include <cstdint>
#include <string>

namespace camsim {

struct CameraProfile {
    std::string maker = "Toshiba";
    std::string version = "V1.05";
    int16_t memoryStatus = 57;  // bytes 6-7 of the memory status answer
    // The speed the camera listens at when it starts: 19200, or the speed a
    // host that never closed its session left it at.
    uint32_t startSpeed = 19200;
};

}  // namespace camsim
