// A timestamped trace of what crosses the line, for a host's debug output:
// every opening, speed change, write and read of every port, one line each
// with the first bytes in hex (a whole command; an answer's header). Off
// unless the environment variable COMM32_TRACE names where it goes when a
// port is opened: "-" for standard error, otherwise a file appended to.
#pragma once

namespace comm32 {

// Looks at COMM32_TRACE again (called at each opening).
void startLineTrace();
// One event: `what` ("open", "speed", "write", "read"), a number (a speed,
// a byte count or a result) and up to `count` bytes.
void traceLine(int port, const char *what, int number, const unsigned char *bytes = nullptr,
               int count = 0);

}  // namespace comm32
