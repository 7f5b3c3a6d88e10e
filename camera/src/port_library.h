// The serial-port library as the camera code sees it: its eight operations,
// each naming the port, behind an interface so that the protocol logic runs
// over the real library or over a test fake.
#pragma once

namespace peltrix {

class PortLibrary {
public:
    virtual ~PortLibrary() = default;

    // > 0: the port identifier (equal to the port number); <= 0: not opened.
    virtual int open(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
                     int outQueue) = 0;
    virtual int setFlow(int port, int mode) = 0;
    // 1 when the speed was set.
    virtual int setBaud(int port, int speed) = 0;
    virtual int write(int port, const void *bytes, int count) = 0;
    // Bytes placed in buffer; 0 (or less) when nothing came within timeoutMs.
    virtual int readTimed(int port, void *buffer, int count, int timeoutMs) = 0;
    virtual int readBufToQuiet(int port, void *buffer, int maxCount, int arg) = 0;
    virtual int sleepMs(int port, int ms) = 0;
    // 1 when closed.
    virtual int close(int port) = 0;
};

}  // namespace peltrix
