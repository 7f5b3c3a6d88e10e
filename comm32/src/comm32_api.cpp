// The eight C functions: argument checks and the port table; the device work
// is the SerialLine's.
#include "comm32.h"

#include <chrono>
#include <thread>

#include "line_trace.h"
#include "platform_line.h"
#include "port_name.h"
#include "port_table.h"
#include "timed_read.h"

using namespace comm32;

namespace {

// Flow modes the caller may ask for. Neither uses a hardware or software
// handshake: the camera line runs without one.
constexpr int kFlowLinesDown = 0;  // DTR and RTS dropped
constexpr int kFlowLinesUp = 2;    // DTR and RTS raised, as the camera library asks

}  // namespace

extern "C" {

// a4-a6 (8, 1, 1 from the camera library) are not interpreted: the line is
// always 8 data bits, no parity, one stop bit.
int COMM32_CALL ComOpen(const char *prefix, int port, int speed, int, int, int, int inQueue,
                        int outQueue) {
    if (!isComPrefix(prefix) || !PortTable::isPortNumber(port) || speed <= 0)
        return 0;
    // Like a Windows COM port, a port is opened once: a second open fails and
    // leaves the first one working.
    if (openPorts().find(port))
        return 0;
    OpenRequest request;
    request.port = port;
    request.speed = speed;
    request.inQueue = inQueue;
    request.outQueue = outQueue;
    startLineTrace();
    const int opened = openPorts().add(port, openPlatformLine(request)) ? port : 0;
    traceLine(port, "open", opened > 0 ? speed : 0);
    return opened;
}

int COMM32_CALL ComSetFlow(int port, int mode) {
    SerialLine *line = openPorts().find(port);
    if (!line || (mode != kFlowLinesDown && mode != kFlowLinesUp))
        return 0;
    line->setModemLines(mode == kFlowLinesUp);
    return 1;
}

int COMM32_CALL ComSetBaud(int port, int speed) {
    SerialLine *line = openPorts().find(port);
    if (!line || speed <= 0)
        return 0;
    const bool set = line->setSpeed(speed);
    traceLine(port, "speed", set ? speed : 0);
    return set ? 1 : 0;
}

int COMM32_CALL ComWrite(int port, const void *bytes, int count) {
    SerialLine *line = openPorts().find(port);
    if (!line || bytes == nullptr || count <= 0)
        return 0;
    const int sent = line->send(static_cast<const unsigned char *>(bytes), count);
    traceLine(port, "write", sent, static_cast<const unsigned char *>(bytes), sent);
    return sent;
}

int COMM32_CALL ComReadTimed(int port, void *buffer, int count, int timeoutMs) {
    SerialLine *line = openPorts().find(port);
    if (!line)
        return 0;
    const int got = readUntilDeadline(*line, SteadyClock(), static_cast<unsigned char *>(buffer),
                                      count, std::chrono::milliseconds(timeoutMs));
    traceLine(port, "read", got, static_cast<const unsigned char *>(buffer), got);
    return got;
}

int COMM32_CALL ComReadBufToQuiet(int port, void *buffer, int maxCount, int windows) {
    SerialLine *line = openPorts().find(port);
    if (!line)
        return 0;
    const int got = readUnlessQuiet(*line, static_cast<unsigned char *>(buffer), maxCount,
                                    quietWindow(windows));
    traceLine(port, "drain", got, static_cast<const unsigned char *>(buffer), got);
    return got;
}

// The pause does not depend on the port: it is asked for between exchanges,
// and a pause is a pause whichever port the caller names.
int COMM32_CALL ComSleepMS(int, int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 1;
}

int COMM32_CALL ComClose(int port) {
    const bool closed = openPorts().remove(port);
    if (closed)
        traceLine(port, "close", 1);
    return closed ? 1 : 0;
}

}  // extern "C"
