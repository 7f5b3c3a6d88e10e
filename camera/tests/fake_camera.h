// A scripted camera behind the PortLibrary interface. It answers the camera's
// commands from a model (groups, pictures, texts, line speed), keeps a virtual
// clock that read time-outs and pauses advance (nothing is slept), records
// every call, and injects faults on request.
#ifndef PELTRIX_TESTS_FAKE_CAMERA_H
#define PELTRIX_TESTS_FAKE_CAMERA_H

#include "port_library.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <vector>

namespace peltrix {
namespace test {

using Bytes = std::vector<std::uint8_t>;

struct LineCall {
    enum Kind { Open, SetFlow, SetBaud, Write, Read, Flush, Sleep, Close };
    Kind kind;
    int port;
    int value;    // Open/SetBaud: speed; Read: bytes wanted; Sleep: ms; SetFlow: mode
    int timeout;  // Read only
    int result;
    Bytes bytes;  // Write only
};

struct FakePicture {
    int group;
    int number;
    Bytes data;
    Bytes thumbnail;
    bool describable = true;  // false: listed, but its information request is refused
};

class FakeCamera : public PortLibrary {
public:
    static constexpr int kForever = -1;

    // The line
    std::set<int> openablePorts;
    int cameraPort = 0;  // 0: no camera on any port
    int closeResult = 1;
    int setBaudResult = 1;

    // The camera
    std::vector<int> groups;
    std::vector<FakePicture> pictures;
    Bytes maker = Bytes{'O', 'r', 'v', 'o'};
    Bytes version = Bytes{'V', '1', '.', '0', '2', 'a'};
    Bytes memoryStatus = Bytes{0, 0, 0, 0, 0, 0, 0x10, 0x27};
    int cameraSpeed = 19200;

    // Faults, each for the next `times` commands that match (kForever: always).
    void dropAnswers(int times);  // no header at all
    // Header and the first afterBytes of the payload; the rest arrives only
    // after a read has come back empty, so it is still on the line at the resend.
    void stallPayload(int afterBytes, int times);
    void answerStatus(std::uint8_t command, int status, int times, int payloadLength = 0);
    void answerWrongEcho(int times);
    void replaceSubcode(std::uint8_t subcode, int times);
    void failReads(int times);                              // ComReadTimed returns -1
    void padPayload(std::uint8_t command, int extraBytes);  // answers longer than asked
    // A change made on the camera itself (its buttons, another program):
    // once `after` commands with code `command` have been answered (0: at
    // once), `change` runs and the next command other than the ready probe
    // is answered with status 137.
    void changeAfter(std::uint8_t command, int after, std::function<void(FakeCamera &)> change);

    // Record
    std::vector<LineCall> calls;
    long long now = 0;  // virtual clock, ms

    std::vector<Bytes> commandsSent() const;
    std::vector<int> readTimeouts() const;
    std::vector<int> pauses() const;
    std::vector<LineCall> callsOf(LineCall::Kind kind) const;
    void clearRecord() {
        calls.clear();
        now = 0;
    }

    FakePicture *findPicture(int group, int number);

    int open(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
             int outQueue) override;
    int setFlow(int port, int mode) override;
    int setBaud(int port, int speed) override;
    int write(int port, const void *bytes, int count) override;
    int readTimed(int port, void *buffer, int count, int timeoutMs) override;
    int readBufToQuiet(int port, void *buffer, int maxCount, int arg) override;
    int sleepMs(int port, int ms) override;
    int close(int port) override;

private:
    struct Fault {
        enum Kind { Drop, Stall, Status, WrongEcho, Subcode } kind;
        int times;
        int command;  // -1: any
        int value;
        int payloadLength;
    };

    bool takeFault(Fault::Kind kind, std::uint8_t command, Fault &found);
    void answer(const Bytes &command);
    void answerNormally(const Bytes &command);
    Bytes normalPayload(const Bytes &command, bool &known);
    void queueAnswer(std::uint8_t code, std::uint8_t subcode, const Bytes &payload);

    std::vector<Fault> faults;
    std::set<int> openPorts;
    int hostSpeed = 19200;
    int failingReads = 0;
    int padCommand = -1;
    int padBytes = 0;
    std::deque<std::uint8_t> pending;
    Bytes late;  // arrives after the next read that comes back empty
    std::function<void(FakeCamera &)> pendingChange;
    int changeCommand = -1;
    int answersBeforeChange = 0;
    bool resyncPending = false;
};

}  // namespace test
}  // namespace peltrix

#endif
