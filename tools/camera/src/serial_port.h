#pragma once
// The serial devices behind the camera library's port numbers, as the
// serial library maps them, for messages and for --port PATH. pdrcam never
// talks through them itself.

#include <string>

namespace pdrcam {

// The device port `port` opens: POSIX the COMM32_PORT<n> variable or
// /dev/ttyS<n-1>; Windows COMn.
std::string portDevice(int port);

// Why port `port` cannot be used, as a sentence ("port 3 is in use (...)",
// "cannot open port 3 (...): No such file or directory"); empty when it can
// be opened and nobody holds it.
std::string portProblem(int port);

// Maps a device path given with --port to a port number (POSIX: port 1,
// pointed at the path for the serial library; Windows: COMn or \\.\COMn);
// false with a reason when the platform cannot reach it.
bool portForDevice(const std::string &device, int &port, std::string &error);

// Asks the serial library for its timestamped trace of every command and
// answer on the line: "-" for standard error, else a file appended to. Takes
// effect at the next opening of a port.
void traceLineTo(const std::string &destination);

}  // namespace pdrcam
