// One open serial device, as the rest of the library sees it. The platform
// classes (termios, Win32 comm API) implement it; everything above it is
// portable and is tested without a device.
#pragma once

#include <chrono>

namespace comm32 {

class SerialLine {
public:
    virtual ~SerialLine() = default;

    // Switches the line speed. True only when reading the setting back shows
    // the device really runs at that speed.
    virtual bool setSpeed(int bitsPerSecond) = 0;

    // Raises (true) or drops (false) DTR and RTS together. Devices without
    // modem-control lines (a pseudo-terminal) ignore it: never an error.
    virtual void setModemLines(bool raised) = 0;

    // Sends the bytes; returns how many went out.
    virtual int send(const unsigned char *bytes, int count) = 0;

    // Waits up to `wait` for at least one byte, then returns what is waiting,
    // at most `maxCount` bytes, without waiting further. 0: nothing came in
    // time; negative: the device failed and will not deliver more.
    virtual int receive(unsigned char *buffer, int maxCount, std::chrono::milliseconds wait) = 0;
};

}  // namespace comm32
