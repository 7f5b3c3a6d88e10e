// Helpers for driving the camera engine in-process: building command
// packets, splitting answer bytes, an in-memory host and clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "byte_order.h"
#include "camera_engine.h"
#include "camera_line.h"
#include "picture_set.h"
#include "protocol.h"

namespace camsim_test {

using namespace camsim;

using Bytes = std::vector<uint8_t>;

inline Bytes commandBytes(uint8_t code, uint8_t subcode, const Bytes &params = {}) {
    Bytes out = {code, subcode};
    appendLe16(out, static_cast<uint16_t>(params.size()));
    out.insert(out.end(), params.begin(), params.end());
    return out;
}

inline Bytes groupPictureParams(uint16_t group, uint16_t picture) {
    Bytes p;
    appendLe16(p, group);
    appendLe16(p, picture);
    return p;
}

inline Bytes groupEntryCommand(uint16_t group, uint16_t picture) {
    return commandBytes(CMD_GROUP_ENTRY, 0, groupPictureParams(group, picture));
}

inline Bytes pictureDataCommand(uint16_t group, uint16_t picture, uint32_t offset) {
    Bytes p = groupPictureParams(group, picture);
    appendLe32(p, offset);
    return commandBytes(CMD_PICTURE_DATA, 0, p);
}

inline Bytes thumbnailCommand(uint16_t group, uint16_t picture) {
    Bytes p = groupPictureParams(group, picture);
    appendLe32(p, 0);
    return commandBytes(CMD_THUMBNAIL, 0, p);
}

inline Bytes speedCommand(uint8_t code) {
    return commandBytes(CMD_SET_SPEED, 5, {code, 0, 0, 0});
}
inline Bytes eraseCommand(uint16_t group, uint16_t picture) {
    return commandBytes(CMD_ERASE, 5, groupPictureParams(group, picture));
}
inline Bytes readyCommand() {
    return commandBytes(CMD_READY, 0);
}

struct Response {
    uint8_t code = 0;
    uint8_t status = 0;
    uint16_t announced = 0;
    Bytes payload;  // what actually followed the header
};

// Splits a stream of answers; the last one keeps whatever payload came.
inline std::vector<Response> splitResponses(const Bytes &bytes) {
    std::vector<Response> out;
    size_t pos = 0;
    while (pos + 4 <= bytes.size()) {
        Response r;
        r.code = bytes[pos];
        r.status = bytes[pos + 1];
        r.announced = readLe16(&bytes[pos + 2]);
        const size_t available = std::min<size_t>(r.announced, bytes.size() - pos - 4);
        r.payload.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                         bytes.begin() + static_cast<std::ptrdiff_t>(pos + 4 + available));
        pos += 4 + available;
        out.push_back(std::move(r));
    }
    return out;
}

inline Bytes joined(const std::vector<OutputSegment> &segments) {
    Bytes out;
    for (const auto &s : segments)
        out.insert(out.end(), s.bytes.begin(), s.bytes.end());
    return out;
}

// Deterministic picture bytes of a given size, different for each salt.
inline Bytes patternBytes(size_t size, uint8_t salt) {
    Bytes b(size);
    for (size_t i = 0; i < size; ++i)
        b[i] = static_cast<uint8_t>((i * 7 + salt * 31 + (i >> 8)) & 0xFF);
    return b;
}

// Pictures with known sizes: group 100 holds 1..3, group 101 holds 1..2.
inline PictureStore smallStore() {
    const size_t sizes[] = {5000, 2048, 100, 4097, 0};
    std::vector<StoredPicture> pictures;
    for (size_t i = 0; i < 5; ++i) {
        StoredPicture p;
        p.group = static_cast<uint16_t>(i < 3 ? 100 : 101);
        p.number = static_cast<uint16_t>(i < 3 ? i + 1 : i - 2);
        p.name = "PICT000" + std::to_string(i + 1) + ".JPG";
        p.data = patternBytes(sizes[i], static_cast<uint8_t>(i));
        p.thumbnail = patternBytes(300 + i, static_cast<uint8_t>(i + 50));
        pictures.push_back(std::move(p));
    }
    return PictureStore(std::move(pictures));
}

// Drives an engine directly, one command at a time, with a stepping clock.
class EngineDriver {
public:
    explicit EngineDriver(PictureStore store = smallStore(), CameraProfile profile = {},
                          FaultPlan faults = {})
        : engine(std::move(profile), std::move(store), std::move(faults)) {}

    // All answer bytes the command produced.
    Bytes send(const Bytes &command) {
        now_ += 1000;
        engine.receive(command.data(), command.size(), now_);
        lastSegments = engine.takeOutput();
        return joined(lastSegments);
    }

    // Exactly one answer expected.
    Response ask(const Bytes &command) {
        const auto responses = splitResponses(send(command));
        EXPECT_EQ(responses.size(), 1u) << "answers to command " << int(command[0]);
        return responses.empty() ? Response{} : responses.front();
    }

    CameraEngine engine;
    std::vector<OutputSegment> lastSegments;

private:
    Micros now_ = 0;
};

// A clock that only moves when told to sleep.
class FakeClock : public Clock {
public:
    Micros now() override { return now_; }
    bool sleepUntil(Micros when) override {
        if (when > now_)
            now_ = when;
        return true;
    }
    void advance(Micros by) { now_ += by; }

private:
    Micros now_ = 1000000;
};

// The host's end in memory: its speed is whatever the test sets.
class FakeHost : public HostPort {
public:
    explicit FakeHost(FakeClock &clock) : clock_(clock) {}
    uint32_t hostSpeed() override { return speed; }
    void write(const uint8_t *bytes, size_t count) override {
        received.insert(received.end(), bytes, bytes + count);
        writeTimes.push_back(clock_.now());
    }
    Bytes take() {
        Bytes out;
        out.swap(received);
        return out;
    }

    uint32_t speed = 19200;
    Bytes received;
    std::vector<Micros> writeTimes;

private:
    FakeClock &clock_;
};

// Engine, line, host and clock wired together, as the program wires them.
struct LineRig {
    explicit LineRig(PictureStore store = smallStore())
        : engine(CameraProfile{}, std::move(store)), host(clock), line(engine, host, clock) {}

    Bytes exchange(const Bytes &command) {
        clock.advance(200000);  // the host's pause between commands
        line.onHostBytes(command.data(), command.size());
        return host.take();
    }

    CameraEngine engine;
    FakeClock clock;
    FakeHost host;
    CameraLine line;
};

}  // namespace camsim_test
