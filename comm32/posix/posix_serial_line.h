// A terminal device as a raw 8N1 serial line: non-blocking descriptor, reads
// and writes waited for with poll().
#pragma once

#include <memory>
#include <string>

#include "serial_line.h"
#include "platform/unique_fd.h"

namespace comm32 {

class PosixSerialLine final : public SerialLine {
public:
    // nullptr when the device cannot be opened, is no terminal, or refuses
    // raw mode or the speed.
    static std::unique_ptr<PosixSerialLine> open(const std::string &path, int speed);

    bool setSpeed(int bitsPerSecond) override;
    void setModemLines(bool raised) override;
    int send(const unsigned char *bytes, int count) override;
    int receive(unsigned char *buffer, int maxCount, std::chrono::milliseconds wait) override;

private:
    explicit PosixSerialLine(platform::UniqueFd fd) : fd_(std::move(fd)) {}
    bool makeRaw();

    platform::UniqueFd fd_;
};

}  // namespace comm32
