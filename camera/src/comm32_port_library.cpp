#include "comm32_port_library.h"

#include <comm32.h>

namespace peltrix {

int Comm32PortLibrary::open(const char *prefix, int port, int speed, int a4, int a5, int a6,
                            int inQueue, int outQueue) {
    return ComOpen(prefix, port, speed, a4, a5, a6, inQueue, outQueue);
}

int Comm32PortLibrary::setFlow(int port, int mode) {
    return ComSetFlow(port, mode);
}

int Comm32PortLibrary::setBaud(int port, int speed) {
    return ComSetBaud(port, speed);
}

int Comm32PortLibrary::write(int port, const void *bytes, int count) {
    return ComWrite(port, bytes, count);
}

int Comm32PortLibrary::readTimed(int port, void *buffer, int count, int timeoutMs) {
    return ComReadTimed(port, buffer, count, timeoutMs);
}

int Comm32PortLibrary::readBufToQuiet(int port, void *buffer, int maxCount, int arg) {
    return ComReadBufToQuiet(port, buffer, maxCount, arg);
}

int Comm32PortLibrary::sleepMs(int port, int ms) {
    return ComSleepMS(port, ms);
}

int Comm32PortLibrary::close(int port) {
    return ComClose(port);
}

}  // namespace peltrix
