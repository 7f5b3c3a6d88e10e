// The simulated camera without any I/O: bytes from the host go in, answer
// bytes come out tagged with the line speed they are sent at. The caller
// (the program, or a test) moves the bytes and keeps time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "camera_profile.h"
#include "command_handler.h"
#include "command_parser.h"
#include "fault_plan.h"
#include "picture_store.h"

namespace camsim {

struct OutputSegment {
    std::vector<uint8_t> bytes;
    uint32_t lineSpeed = 0;  // the camera's speed while these bytes go out
    Micros pauseBefore = 0;  // the camera stops this long before sending them
};

class CameraEngine {
public:
    CameraEngine(CameraProfile profile, PictureStore pictures, FaultPlan faults = {});
    CameraEngine(const CameraEngine &) = delete;
    CameraEngine &operator=(const CameraEngine &) = delete;

    // Bytes as the camera received them (already garbled if the host sent
    // them at another speed); `now` is the arrival time in microseconds.
    void receive(const uint8_t *bytes, size_t count, Micros now);

    // Answers produced since the last call, in order.
    std::vector<OutputSegment> takeOutput();

    uint32_t lineSpeed() const { return lineSpeed_; }
    const PictureStore &pictures() const { return pictures_; }
    // The camera's settings (maker, version, memory status), which a test may
    // change between commands.
    CameraProfile &profile() { return profile_; }
    FaultPlan &faults() { return faults_; }
    unsigned commandsReceived() const { return commandsReceived_; }

    // A change made on the camera itself (its buttons, another card). The
    // next command other than the ready probe is answered with status 137
    // so that the host reads the directory again; the probe is answered
    // normally and leaves the notice pending.
    void changePictures(const std::function<void(PictureStore &)> &change);
    // Another card put in while the host is away: no notice is pending.
    void setPictures(PictureStore pictures) { pictures_ = std::move(pictures); }
    bool resyncPending() const { return resyncPending_; }

    // One line per command and answer, for the program's -v log.
    void setLogger(std::function<void(const std::string &)> logger) { logger_ = std::move(logger); }

private:
    void process(const CommandPacket &command);
    void send(const std::vector<uint8_t> &bytes, Micros pauseBefore = 0);
    void eraseOnTheCamera(const CommandPacket &command, Vanishing which);
    void log(const std::string &line) const;

    CameraProfile profile_;
    PictureStore pictures_;
    FaultPlan faults_;
    CommandHandler handler_;
    CommandParser parser_;
    std::vector<OutputSegment> output_;
    uint32_t lineSpeed_;
    bool resyncPending_ = false;
    unsigned commandsReceived_ = 0;
    std::function<void(const std::string &)> logger_;
};

}  // namespace camsim
