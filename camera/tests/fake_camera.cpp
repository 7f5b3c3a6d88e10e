#include "fake_camera.h"

#include <algorithm>
#include <cstring>

namespace peltrix {
namespace test {
namespace {

// The camera's own view of its speed codes; codes it does not know leave it at 19200.
int cameraLineSpeed(int code) {
    switch (code) {
    case 1:
        return 9600;
    case 2:
        return 19200;
    case 3:
        return 38400;
    case 4:
        return 57600;
    case 5:
        return 115200;
    case 6:
        return 230400;
    case 16:
        return 48000;
    case 17:
        return 64000;
    case 18:
        return 96000;
    default:
        return 19200;
    }
}

int load16(const Bytes &b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

void append16(Bytes &b, int value) {
    b.push_back(static_cast<std::uint8_t>(value));
    b.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

void FakeCamera::dropAnswers(int times) {
    faults.push_back({Fault::Drop, times, -1, 0, 0});
}
void FakeCamera::stallPayload(int afterBytes, int times) {
    faults.push_back({Fault::Stall, times, -1, afterBytes, 0});
}
void FakeCamera::answerStatus(std::uint8_t command, int status, int times, int payloadLength) {
    faults.push_back({Fault::Status, times, command, status, payloadLength});
}
void FakeCamera::answerWrongEcho(int times) {
    faults.push_back({Fault::WrongEcho, times, -1, 0, 0});
}
void FakeCamera::replaceSubcode(std::uint8_t subcode, int times) {
    faults.push_back({Fault::Subcode, times, -1, subcode, 0});
}
void FakeCamera::failReads(int times) {
    failingReads = times;
}
void FakeCamera::padPayload(std::uint8_t command, int extraBytes) {
    padCommand = command;
    padBytes = extraBytes;
}

void FakeCamera::changeAfter(std::uint8_t command, int after,
                             std::function<void(FakeCamera &)> change) {
    pendingChange = std::move(change);
    changeCommand = command;
    answersBeforeChange = after;
    if (after == 0) {
        pendingChange(*this);
        pendingChange = nullptr;
        resyncPending = true;
    }
}

bool FakeCamera::takeFault(Fault::Kind kind, std::uint8_t command, Fault &found) {
    for (Fault &fault : faults) {
        if (fault.kind != kind || fault.times == 0 ||
            (fault.command >= 0 && fault.command != command))
            continue;
        if (fault.times > 0)
            --fault.times;
        found = fault;
        return true;
    }
    return false;
}

std::vector<Bytes> FakeCamera::commandsSent() const {
    std::vector<Bytes> sent;
    for (const LineCall &call : calls)
        if (call.kind == LineCall::Write)
            sent.push_back(call.bytes);
    return sent;
}

std::vector<int> FakeCamera::readTimeouts() const {
    std::vector<int> timeouts;
    for (const LineCall &call : calls)
        if (call.kind == LineCall::Read)
            timeouts.push_back(call.timeout);
    return timeouts;
}

std::vector<int> FakeCamera::pauses() const {
    std::vector<int> ms;
    for (const LineCall &call : calls)
        if (call.kind == LineCall::Sleep)
            ms.push_back(call.value);
    return ms;
}

std::vector<LineCall> FakeCamera::callsOf(LineCall::Kind kind) const {
    std::vector<LineCall> found;
    for (const LineCall &call : calls)
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

FakePicture *FakeCamera::findPicture(int group, int number) {
    for (FakePicture &picture : pictures)
        if (picture.group == group && picture.number == number)
            return &picture;
    return nullptr;
}

int FakeCamera::open(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
                     int outQueue) {
    const bool ok = std::strcmp(prefix, "com") == 0 && openablePorts.count(port) &&
                    !openPorts.count(port) && a4 == 8 && a5 == 1 && a6 == 1 && inQueue == 4096 &&
                    outQueue == 4096;
    const int result = ok ? port : -1;
    calls.push_back({LineCall::Open, port, speed, 0, result, {}});
    if (ok) {
        openPorts.insert(port);
        if (port == cameraPort) {
            hostSpeed = speed;
            pending.clear();
        }
    }
    return result;
}

int FakeCamera::setFlow(int port, int mode) {
    calls.push_back({LineCall::SetFlow, port, mode, 0, 1, {}});
    return 1;
}

int FakeCamera::setBaud(int port, int speed) {
    const int result = openPorts.count(port) ? setBaudResult : 0;
    calls.push_back({LineCall::SetBaud, port, speed, 0, result, {}});
    if (result == 1 && port == cameraPort)
        hostSpeed = speed;
    return result;
}

int FakeCamera::write(int port, const void *bytes, int count) {
    const auto *first = static_cast<const std::uint8_t *>(bytes);
    Bytes command(first, first + count);
    calls.push_back({LineCall::Write, port, count, 0, count, command});
    // A closed port sends nothing; at differing speeds the camera sees garbage.
    if (!openPorts.count(port) || port != cameraPort || hostSpeed != cameraSpeed)
        return 0;
    answer(command);
    return count;
}

int FakeCamera::readTimed(int port, void *buffer, int count, int timeoutMs) {
    int result = 0;
    if (failingReads != 0) {
        if (failingReads > 0)
            --failingReads;
        result = -1;
    } else if (openPorts.count(port) && port == cameraPort) {
        result = std::min<int>(count, static_cast<int>(pending.size()));
        std::copy_n(pending.begin(), result, static_cast<std::uint8_t *>(buffer));
        pending.erase(pending.begin(), pending.begin() + result);
    }
    if (result < count)
        now += timeoutMs;  // waited in vain for the rest
    if (result == 0) {
        pending.insert(pending.end(), late.begin(), late.end());
        late.clear();
    }
    calls.push_back({LineCall::Read, port, count, timeoutMs, result, {}});
    return result;
}

int FakeCamera::readBufToQuiet(int port, void *buffer, int maxCount, int arg) {
    int result = 0;
    if (openPorts.count(port) && port == cameraPort && arg == 1) {
        result = std::min<int>(maxCount, static_cast<int>(pending.size()));
        std::copy_n(pending.begin(), result, static_cast<std::uint8_t *>(buffer));
        pending.erase(pending.begin(), pending.begin() + result);
    }
    calls.push_back({LineCall::Flush, port, maxCount, 0, result, {}});
    return result;
}

int FakeCamera::sleepMs(int port, int ms) {
    now += ms;
    calls.push_back({LineCall::Sleep, port, ms, 0, 0, {}});
    return 0;
}

int FakeCamera::close(int port) {
    const bool wasOpen = openPorts.erase(port) > 0;
    const int result = wasOpen ? closeResult : 0;
    calls.push_back({LineCall::Close, port, 0, 0, result, {}});
    if (wasOpen && port == cameraPort) {
        pending.clear();
        late.clear();
    }
    return result;
}

void FakeCamera::queueAnswer(std::uint8_t code, std::uint8_t subcode, const Bytes &payload) {
    Bytes packet{code, subcode};
    append16(packet, static_cast<int>(payload.size()));
    packet.insert(packet.end(), payload.begin(), payload.end());
    pending.insert(pending.end(), packet.begin(), packet.end());
}

Bytes FakeCamera::normalPayload(const Bytes &command, bool &known) {
    known = true;
    Bytes payload;
    switch (command[0]) {
    case 0x10:  // ready
    case 0x30:  // packet size
    case 0x31:  // speed
        break;
    case 0x11:
        payload = memoryStatus;
        break;
    case 0x14:
        for (int group : groups) {
            append16(payload, group);
            append16(payload, 0);
        }
        break;
    case 0x15: {
        const int group = load16(command, 4), number = load16(command, 6);
        if (number == 0) {
            for (const FakePicture &picture : pictures)
                if (picture.group == group) {
                    append16(payload, picture.number);
                    append16(payload, 0);
                }
            break;
        }
        const FakePicture *picture = findPicture(group, number);
        if (!picture || !picture->describable) {
            known = false;
            break;
        }
        payload.assign(32, 0);
        const auto size = static_cast<std::uint32_t>(picture->data.size());
        for (int i = 0; i < 4; ++i)
            payload[16 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        break;
    }
    case 0x16: {
        const FakePicture *picture = findPicture(load16(command, 4), load16(command, 6));
        if (picture)
            payload = picture->thumbnail;
        known = picture != nullptr;
        break;
    }
    case 0x17: {
        const FakePicture *picture = findPicture(load16(command, 4), load16(command, 6));
        if (!picture) {
            known = false;
            break;
        }
        const size_t offset = load16(command, 8) | (static_cast<size_t>(load16(command, 10)) << 16);
        const size_t end = std::min(picture->data.size(), offset + 2048);
        if (offset < end)
            payload.assign(picture->data.begin() + offset, picture->data.begin() + end);
        break;
    }
    case 0x20:
        payload = maker;
        break;
    case 0x25:
        payload = version;
        break;
    case 0x43: {
        const int group = load16(command, 4), number = load16(command, 6);
        auto it = std::find_if(pictures.begin(), pictures.end(), [&](const FakePicture &p) {
            return p.group == group && p.number == number;
        });
        known = it != pictures.end();
        if (known)
            pictures.erase(it);
        break;
    }
    default:
        known = false;
    }
    return payload;
}

void FakeCamera::answer(const Bytes &command) {
    const std::uint8_t code = command[0];
    if (resyncPending && code != 0x10) {
        resyncPending = false;
        queueAnswer(code, 137, {});
        return;
    }
    answerNormally(command);
    if (pendingChange && code == changeCommand && --answersBeforeChange == 0) {
        pendingChange(*this);
        pendingChange = nullptr;
        resyncPending = true;
    }
}

void FakeCamera::answerNormally(const Bytes &command) {
    const std::uint8_t code = command[0];
    const std::uint8_t subcode = command.size() > 1 ? command[1] : 0;
    Fault fault{};
    if (takeFault(Fault::Drop, code, fault))
        return;
    if (takeFault(Fault::Status, code, fault)) {
        queueAnswer(code, static_cast<std::uint8_t>(fault.value), Bytes(fault.payloadLength, 0x5A));
        return;
    }
    if (takeFault(Fault::WrongEcho, code, fault)) {
        queueAnswer(static_cast<std::uint8_t>(code ^ 0x01), subcode, {});
        return;
    }
    if (takeFault(Fault::Subcode, code, fault)) {
        queueAnswer(code, static_cast<std::uint8_t>(fault.value), {});
        return;
    }
    bool known = false;
    Bytes payload = normalPayload(command, known);
    if (!known) {
        queueAnswer(code, 134, {});  // refused
        return;
    }
    if (code == padCommand)
        payload.insert(payload.end(), padBytes, 0xEE);
    if (takeFault(Fault::Stall, code, fault)) {
        Bytes packet{code, subcode};
        append16(packet, static_cast<int>(payload.size()));
        const size_t onTime = std::min<size_t>(static_cast<size_t>(fault.value), payload.size());
        packet.insert(packet.end(), payload.begin(), payload.begin() + onTime);
        pending.insert(pending.end(), packet.begin(), packet.end());
        late.assign(payload.begin() + onTime, payload.end());
        return;
    }
    queueAnswer(code, subcode, payload);
    if (code == 0x31)  // acknowledged at the old speed, then switched
        cameraSpeed = cameraLineSpeed(command[4]);
}

}  // namespace test
}  // namespace peltrix
