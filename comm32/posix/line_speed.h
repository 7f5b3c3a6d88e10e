// Line speeds of a terminal device, including speeds without a B constant.
#pragma once

namespace comm32 {

// Sets input and output speed and reads them back. True only when the device
// reports exactly this speed afterwards.
bool applyLineSpeed(int fd, int bitsPerSecond);

// The output speed the device reports in bits per second; -1 when it cannot
// be read or has no plain number.
int readLineSpeed(int fd);

// Kernel interface for speeds by number (Linux termios2 with BOTHER). Kept in
// a file of its own: its kernel header cannot share a file with <termios.h>.
// Both return false where the kernel lacks it.
bool setSpeedByNumber(int fd, int bitsPerSecond);
bool readSpeedsByNumber(int fd, int *inputSpeed, int *outputSpeed);

}  // namespace comm32
