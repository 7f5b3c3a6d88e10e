// The ports this process has open, by port number. The C interface names a
// port by its number alone, so this table is necessarily process-wide; it is
// the library's only global state. The library is called from one thread at
// a time (the camera library is single-threaded), so it takes no lock.
#pragma once

#include <array>
#include <memory>

#include "serial_line.h"

namespace comm32 {

class PortTable {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 9;
    static bool isPortNumber(int port) { return port >= kFirstPort && port <= kLastPort; }

    // The open line of this port, or nullptr for anything not open.
    SerialLine *find(int port) const;
    // Takes the line over. False (and the line is closed again) when the
    // number is out of range or the port is open already.
    bool add(int port, std::unique_ptr<SerialLine> line);
    // Closes the port. False when it was not open.
    bool remove(int port);

private:
    std::array<std::unique_ptr<SerialLine>, kLastPort - kFirstPort + 1> lines_;
};

// The process-wide table behind the C functions.
PortTable &openPorts();

}  // namespace comm32
