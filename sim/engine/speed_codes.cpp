#include "speed_codes.h"

#include "protocol.h"

namespace camsim {

uint32_t lineSpeedForCode(uint8_t code) {
    switch (code) {
    case 1:
        return 9600;
    case 2:
        return 19200;
    case 3:
        return 38400;
    case 4:
        return 57600;
    case 5:
        return 115200;
    case 6:
        return 230400;
    case 16:
        return 48000;
    case 17:
        return 64000;
    case 18:
        return 96000;
    default:
        return kRestingLineSpeed;
    }
}

uint64_t transmissionMicros(uint64_t bytes, uint32_t bitsPerSecond) {
    if (bitsPerSecond == 0)
        return 0;
    return bytes * kBitsPerByte * 1000000u / bitsPerSecond;
}

}  // namespace camsim
