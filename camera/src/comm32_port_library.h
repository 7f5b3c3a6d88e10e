// PortLibrary over the imported serial-port library.
#pragma once

#include "port_library.h"

namespace peltrix {

class Comm32PortLibrary final : public PortLibrary {
public:
    int open(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
             int outQueue) override;
    int setFlow(int port, int mode) override;
    int setBaud(int port, int speed) override;
    int write(int port, const void *bytes, int count) override;
    int readTimed(int port, void *buffer, int count, int timeoutMs) override;
    int readBufToQuiet(int port, void *buffer, int maxCount, int arg) override;
    int sleepMs(int port, int ms) override;
    int close(int port) override;
};

}  // namespace peltrix
