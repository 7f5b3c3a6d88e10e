// A serial line scripted by the fuzz input, in place of the serial library.
// It keeps the serial library's side of the contract (a call on a port that
// is not open fails without effect; nothing is placed past the count the
// caller gives) and lets the input decide everything else, one decision per
// call, in call order:
//
//   open            1 byte: below 0xE0 the port opens (the result is its
//                   number), else it does not (0 or -1)
//   setBaud         1 byte: below 0xE0 the speed is set (1), else 0
//   close           1 byte, open ports only: below 0xE0 closed (1), else 0
//                   and the port stays open
//   readBufToQuiet  1 byte: below 0xF0 the line is quiet (0), else the low
//                   four bits give the number of bytes read (at most maxCount)
//   readTimed       1 control byte c, mode c & 7, parameter p = c >> 3:
//                   0 nothing within the time-out; 1 the read fails (-1);
//                   2 a response header to the last command: its code and
//                     subcode, then a payload length of 2 bytes from the input;
//                   3 the same with status kStatuses[p % 16] as byte 1;
//                   4 up to count bytes from the input;
//                   5 (next byte % count) bytes from the input;
//                   6 count bytes of the next byte's value;
//                   7 a response header to the last command with length p
//   setFlow, write, sleepMs take nothing.
//
// Past the input's end ports no longer open and the line goes quiet. Time
// is virtual: pauses and time-outs only advance a clock. Every call also
// checks the caller: its arguments against the serial library's contract,
// the stack depth below the driver (nested exchanges) and the number of
// line operations of the input (a call that never finishes).
#pragma once

#include "fuzz_input.h"
#include "port_library.h"

#include <cstdint>

namespace peltrix {
namespace fuzz {

struct LineLimits {
    std::uintptr_t stackBase;  // frame address of the driver
    std::uintptr_t maxStackBytes;
    long maxOperations;
};

class FuzzLine final : public PortLibrary {
public:
    FuzzLine(FuzzInput &input, const LineLimits &limits, bool trace);

    int open(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
             int outQueue) override;
    int setFlow(int port, int mode) override;
    int setBaud(int port, int speed) override;
    int write(int port, const void *bytes, int count) override;
    int readTimed(int port, void *buffer, int count, int timeoutMs) override;
    int readBufToQuiet(int port, void *buffer, int maxCount, int arg) override;
    int sleepMs(int port, int ms) override;
    int close(int port) override;

    // The last command written to an open port, and how many bytes the reads
    // since then have delivered (its answer's header and payload).
    const std::uint8_t *lastCommand() const { return lastWritten; }
    long deliveredSinceCommand() const { return delivered; }

    long operations() const { return operationCount; }
    std::uintptr_t deepestStack() const { return deepest; }
    long long now() const { return clockMs; }

private:
    void step(const char *operation, int port);
    bool isOpen(int port) const;
    int answerHeader(std::uint8_t *target, int count, std::uint8_t byte1, int length);

    FuzzInput &input;
    const LineLimits limits;
    const bool trace;
    unsigned openPorts = 0;  // bit n: port n
    std::uint8_t lastWritten[12] = {};
    long delivered = 0;
    long operationCount = 0;
    std::uintptr_t deepest = 0;
    long long clockMs = 0;
};

}  // namespace fuzz
}  // namespace peltrix
