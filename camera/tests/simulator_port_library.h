#pragma once
// The serial-port library over the simulated camera: the library's tests talk
// to the simulator's engine (the same camera the end-to-end tests meet) on one
// port, through the engine's own line, which garbles what crosses it while
// the two sides disagree on the speed. Time is virtual: read time-outs and
// pauses advance it, nothing is slept. Every call is recorded. What belongs
// to the port library (which ports open, close and speed results, failing
// reads) is decided here; what the camera does, faults included, is the
// engine's.

#include "port_library.h"

#include "camera_engine.h"
#include "camera_line.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace peltrix_test {

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

class SimulatorPortLibrary : public peltrix::PortLibrary {
public:
    static constexpr int kForever = -1;

    // The camera the tests start with: no pictures, its texts and memory
    // status as in `profile`, resting at 19200.
    explicit SimulatorPortLibrary(camsim::CameraProfile profile);

    // The port library
    std::set<int> openablePorts;
    int cameraPort = 0;  // 0: no camera on any port
    int closeResult = 1;
    int setBaudResult = 1;
    void failReads(int times);  // readTimed returns -1

    // The camera
    camsim::CameraEngine &engine() { return *engine_; }
    camsim::CameraProfile &profile() { return engine_->profile(); }
    int cameraSpeed() const { return static_cast<int>(engine_->lineSpeed()); }
    const std::vector<camsim::StoredPicture> &pictures() const { return engine_->pictures().all(); }
    const camsim::StoredPicture *findPicture(int group, int number) const;
    // A camera switched on afresh, with the same pictures and settings but no
    // faults, listening at `speed` (where an earlier host left it).
    void restartAt(int speed);
    // Pictures set up between commands; the host is not told.
    void editPictures(const std::function<void(std::vector<camsim::StoredPicture> &)> &edit);
    void addEmptyGroup(int group);
    // A change made on the camera itself once `after` commands with code
    // `command` have been answered (0: at once): the next command other than
    // the ready probe is answered with status 137.
    void changeAfter(std::uint8_t command, int after,
                     std::function<void(std::vector<camsim::StoredPicture> &)> change);

    // Faults of the camera, each for the next `times` commands that match
    // (kForever: always), as entries of the engine's fault plan.
    void addFault(const camsim::Fault &fault);
    void dropAnswers(int times);
    // Header and the first afterBytes of the payload; the rest follows after
    // a pause, so it is still on the line when the host sends again.
    void stallPayload(int afterBytes, int times);
    // Status 0x80 carries `payloadLength` bytes; others refuse the command.
    void answerStatus(std::uint8_t command, int status, int times, int payloadLength = 0);
    void answerWrongEcho(int times);
    void replaceSubcode(std::uint8_t subcode, int times);
    void replacePayload(std::uint8_t command, const Bytes &payload, int times);

    // Record
    std::vector<LineCall> calls;
    long long now = 0;  // virtual clock, ms since the record was last cleared

    std::vector<Bytes> commandsSent() const;
    std::vector<int> readTimeouts() const;
    std::vector<int> pauses() const;
    std::vector<LineCall> callsOf(LineCall::Kind kind) const;
    // The camera's own clock runs on: a camera that read junk at the end of
    // the record must still find it stale at the start of the next.
    void clearRecord() {
        calls.clear();
        clockBefore_ += now;
        now = 0;
    }

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
    // The engine's surroundings: the virtual clock and the host's end of the line.
    class HostEnd : public camsim::Clock, public camsim::HostPort {
    public:
        explicit HostEnd(SimulatorPortLibrary &ports) : ports_(ports) {}
        camsim::Micros now() override;
        bool sleepUntil(camsim::Micros when) override;
        std::uint32_t hostSpeed() override;
        void write(const std::uint8_t *bytes, size_t count) override;
        bool needsPacing() const override { return false; }

    private:
        SimulatorPortLibrary &ports_;
    };

    void startCamera(camsim::CameraProfile profile, camsim::PictureStore pictures);
    bool lineOpen(int port) const { return openPorts_.count(port) && port == cameraPort; }
    int take(std::deque<std::uint8_t> &from, void *buffer, int count);

    HostEnd hostEnd_{*this};
    std::unique_ptr<camsim::CameraEngine> engine_;
    std::unique_ptr<camsim::CameraLine> line_;
    std::set<int> openPorts_;
    long long clockBefore_ = 0;  // ms that passed before the record was last cleared
    int hostSpeed_ = 19200;
    int failingReads_ = 0;
    std::deque<std::uint8_t> pending_;
    // Sent after a pause of the camera: on the line once a read has come back empty.
    std::deque<std::uint8_t> late_;
    bool pausing_ = false;
    std::function<void(std::vector<camsim::StoredPicture> &)> change_;
    int changeCommand_ = -1;
    int answersBeforeChange_ = 0;
};

}  // namespace peltrix_test
