#include "simulator_port_library.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace peltrix_test {
namespace {

unsigned timesOf(int times) {
    return times == SimulatorPortLibrary::kForever ? UINT_MAX : static_cast<unsigned>(times);
}

camsim::Fault faultOf(camsim::FaultKind kind, int times) {
    camsim::Fault fault;
    fault.kind = kind;
    fault.times = timesOf(times);
    return fault;
}

// Longer than any read of the host waits: the host gives up before the rest comes.
constexpr camsim::Micros kStallPause = 1000000;

}  // namespace

SimulatorPortLibrary::SimulatorPortLibrary(camsim::CameraProfile profile) {
    startCamera(std::move(profile), camsim::PictureStore{});
}

void SimulatorPortLibrary::startCamera(camsim::CameraProfile profile,
                                       camsim::PictureStore pictures) {
    line_.reset();
    change_ = nullptr;
    pending_.clear();
    late_.clear();
    engine_ = std::make_unique<camsim::CameraEngine>(std::move(profile), std::move(pictures));
    line_ = std::make_unique<camsim::CameraLine>(*engine_, hostEnd_, hostEnd_);
}

void SimulatorPortLibrary::restartAt(int speed) {
    camsim::CameraProfile profile = engine_->profile();
    profile.startSpeed = static_cast<std::uint32_t>(speed);
    startCamera(std::move(profile), engine_->pictures());
}

const camsim::StoredPicture *SimulatorPortLibrary::findPicture(int group, int number) const {
    return engine_->pictures().find(static_cast<std::uint16_t>(group),
                                    static_cast<std::uint16_t>(number));
}

void SimulatorPortLibrary::editPictures(
    const std::function<void(std::vector<camsim::StoredPicture> &)> &edit) {
    std::vector<camsim::StoredPicture> pictures = engine_->pictures().all();
    edit(pictures);
    engine_->setPictures(camsim::PictureStore(std::move(pictures), engine_->pictures().emptyGroups()));
}

void SimulatorPortLibrary::addEmptyGroup(int group) {
    std::vector<std::uint16_t> empty = engine_->pictures().emptyGroups();
    empty.push_back(static_cast<std::uint16_t>(group));
    engine_->setPictures(camsim::PictureStore(engine_->pictures().all(), std::move(empty)));
}

void SimulatorPortLibrary::changeAfter(
    std::uint8_t command, int after,
    std::function<void(std::vector<camsim::StoredPicture> &)> change) {
    change_ = std::move(change);
    changeCommand_ = command;
    answersBeforeChange_ = after;
    if (after > 0)
        return;
    engine_->changePictures([this](camsim::PictureStore &store) {
        std::vector<camsim::StoredPicture> pictures = store.all();
        change_(pictures);
        store = camsim::PictureStore(std::move(pictures), store.emptyGroups());
    });
    change_ = nullptr;
}

void SimulatorPortLibrary::addFault(const camsim::Fault &fault) {
    engine_->faults().add(fault);
}

void SimulatorPortLibrary::dropAnswers(int times) {
    addFault(faultOf(camsim::FaultKind::DropResponse, times));
}

void SimulatorPortLibrary::stallPayload(int afterBytes, int times) {
    camsim::Fault fault = faultOf(camsim::FaultKind::StallPayload, times);
    fault.stallAfter = static_cast<size_t>(afterBytes);
    fault.resumeAfter = kStallPause;
    addFault(fault);
}

void SimulatorPortLibrary::answerStatus(std::uint8_t command, int status, int times,
                                        int payloadLength) {
    camsim::Fault fault;
    if (status == camsim::CAM_STATUS_BUSY) {
        fault = faultOf(camsim::FaultKind::Busy, times);
        fault.payload = Bytes(static_cast<size_t>(payloadLength), 0x5A);
    } else {
        fault = faultOf(camsim::FaultKind::Refuse, times);
        fault.status = static_cast<std::uint8_t>(status);
    }
    fault.command = command;
    addFault(fault);
}

void SimulatorPortLibrary::answerWrongEcho(int times) {
    addFault(faultOf(camsim::FaultKind::WrongCode, times));
}

void SimulatorPortLibrary::replaceSubcode(std::uint8_t subcode, int times) {
    // A refusal whose "status" is below 0x80 reads as a subcode that does not echo the command's.
    camsim::Fault fault = faultOf(camsim::FaultKind::Refuse, times);
    fault.status = subcode;
    addFault(fault);
}

void SimulatorPortLibrary::replacePayload(std::uint8_t command, const Bytes &payload, int times) {
    camsim::Fault fault = faultOf(camsim::FaultKind::ReplacePayload, times);
    fault.command = command;
    fault.payload = payload;
    addFault(fault);
}

void SimulatorPortLibrary::failReads(int times) {
    failingReads_ = times;
}

std::vector<Bytes> SimulatorPortLibrary::commandsSent() const {
    std::vector<Bytes> sent;
    for (const LineCall &call : calls)
        if (call.kind == LineCall::Write)
            sent.push_back(call.bytes);
    return sent;
}

std::vector<int> SimulatorPortLibrary::readTimeouts() const {
    std::vector<int> timeouts;
    for (const LineCall &call : calls)
        if (call.kind == LineCall::Read)
            timeouts.push_back(call.timeout);
    return timeouts;
}

std::vector<int> SimulatorPortLibrary::pauses() const {
    std::vector<int> ms;
    for (const LineCall &call : calls)
        if (call.kind == LineCall::Sleep)
            ms.push_back(call.value);
    return ms;
}

std::vector<LineCall> SimulatorPortLibrary::callsOf(LineCall::Kind kind) const {
    std::vector<LineCall> found;
    for (const LineCall &call : calls)
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

// --- the engine's surroundings ------------------------------------------------

camsim::Micros SimulatorPortLibrary::HostEnd::now() {
    return static_cast<camsim::Micros>(ports_.clockBefore_ + ports_.now) * 1000;
}

bool SimulatorPortLibrary::HostEnd::sleepUntil(camsim::Micros) {
    // Only a pause of the camera in mid-answer asks to wait (the line is not
    // paced): what follows it is late.
    ports_.pausing_ = true;
    return true;
}

std::uint32_t SimulatorPortLibrary::HostEnd::hostSpeed() {
    return static_cast<std::uint32_t>(ports_.hostSpeed_);
}

void SimulatorPortLibrary::HostEnd::write(const std::uint8_t *bytes, size_t count) {
    std::deque<std::uint8_t> &to = ports_.pausing_ ? ports_.late_ : ports_.pending_;
    to.insert(to.end(), bytes, bytes + count);
}

// --- the port library -----------------------------------------------------------

int SimulatorPortLibrary::open(const char *prefix, int port, int speed, int a4, int a5, int a6,
                               int inQueue, int outQueue) {
    const bool ok = std::strcmp(prefix, "com") == 0 && openablePorts.count(port) &&
                    !openPorts_.count(port) && a4 == 8 && a5 == 1 && a6 == 1 &&
                    inQueue == 4096 && outQueue == 4096;
    const int result = ok ? port : -1;
    calls.push_back({LineCall::Open, port, speed, 0, result, {}});
    if (ok) {
        openPorts_.insert(port);
        if (port == cameraPort) {
            hostSpeed_ = speed;
            pending_.clear();
        }
    }
    return result;
}

int SimulatorPortLibrary::setFlow(int port, int mode) {
    calls.push_back({LineCall::SetFlow, port, mode, 0, 1, {}});
    return 1;
}

int SimulatorPortLibrary::setBaud(int port, int speed) {
    const int result = openPorts_.count(port) ? setBaudResult : 0;
    calls.push_back({LineCall::SetBaud, port, speed, 0, result, {}});
    if (result == 1 && port == cameraPort)
        hostSpeed_ = speed;
    return result;
}

int SimulatorPortLibrary::write(int port, const void *bytes, int count) {
    const auto *first = static_cast<const std::uint8_t *>(bytes);
    const bool open = openPorts_.count(port) > 0;
    calls.push_back({LineCall::Write, port, count, 0, open ? count : 0, Bytes(first, first + count)});
    if (!lineOpen(port))
        return open ? count : 0;
    const unsigned before = engine_->commandsReceived();
    pausing_ = false;
    line_->onHostBytes(first, static_cast<size_t>(count));
    pausing_ = false;
    if (change_ && engine_->commandsReceived() > before && first[0] == changeCommand_ &&
        --answersBeforeChange_ == 0)
        changeAfter(static_cast<std::uint8_t>(changeCommand_), 0, std::move(change_));
    return count;
}

int SimulatorPortLibrary::take(std::deque<std::uint8_t> &from, void *buffer, int count) {
    const int taken = std::min<int>(count, static_cast<int>(from.size()));
    std::copy_n(from.begin(), taken, static_cast<std::uint8_t *>(buffer));
    from.erase(from.begin(), from.begin() + taken);
    return taken;
}

int SimulatorPortLibrary::readTimed(int port, void *buffer, int count, int timeoutMs) {
    int result = 0;
    if (failingReads_ != 0) {
        if (failingReads_ > 0)
            --failingReads_;
        result = -1;
    } else if (lineOpen(port)) {
        result = take(pending_, buffer, count);
    }
    if (result < count)
        now += timeoutMs;  // waited in vain for the rest
    if (result == 0) {
        pending_.insert(pending_.end(), late_.begin(), late_.end());
        late_.clear();
    }
    calls.push_back({LineCall::Read, port, count, timeoutMs, result, {}});
    return result;
}

int SimulatorPortLibrary::readBufToQuiet(int port, void *buffer, int maxCount, int arg) {
    const int result = lineOpen(port) && arg == 1 ? take(pending_, buffer, maxCount) : 0;
    calls.push_back({LineCall::Flush, port, maxCount, 0, result, {}});
    return result;
}

int SimulatorPortLibrary::sleepMs(int port, int ms) {
    now += ms;
    calls.push_back({LineCall::Sleep, port, ms, 0, 0, {}});
    return 0;
}

int SimulatorPortLibrary::close(int port) {
    const bool wasOpen = openPorts_.erase(port) > 0;
    const int result = wasOpen ? closeResult : 0;
    calls.push_back({LineCall::Close, port, 0, 0, result, {}});
    if (wasOpen && port == cameraPort) {
        pending_.clear();
        late_.clear();
    }
    return result;
}

}  // namespace peltrix_test
