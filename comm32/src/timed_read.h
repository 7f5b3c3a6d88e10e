// Reads with a time-out over any SerialLine: one deadline per call, however
// the bytes trickle in.
#pragma once

#include <chrono>

#include "clock.h"
#include "serial_line.h"

namespace comm32 {

// Gathers bytes until `count` are in or `timeout` has passed since the call;
// returns how many arrived (0 when none did). A negative time-out counts as 0:
// only what is already waiting is taken.
int readUntilDeadline(SerialLine &line, const Clock &clock, unsigned char *buffer, int count,
                      std::chrono::milliseconds timeout);

// The line counts as quiet when nothing arrives for this long. 10 ms is ten
// character times at 9600 bits per second, the slowest speed in use, so a
// sender in the middle of a burst is never mistaken for a quiet line. The
// caller's argument scales it (1 = one window); 0 or less still means one.
std::chrono::milliseconds quietWindow(int windows);

// One step of draining the line: returns what is waiting now (at most
// `maxCount`), or what arrives within the quiet window; 0 once it is quiet.
int readUnlessQuiet(SerialLine &line, unsigned char *buffer, int maxCount,
                    std::chrono::milliseconds window);

}  // namespace comm32
