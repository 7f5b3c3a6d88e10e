// The camera's end of the serial line: garbles what the host sends while the
// two sides disagree on the speed, hands the rest to the engine, and sends
// the answers at 10 bits per byte of the camera's speed, garbled where the
// host listens at another speed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "camera_engine.h"
#include "line_endpoint.h"
#include "line_garbler.h"

namespace camsim {

struct LineStatistics {
    uint64_t bytesReceived = 0;
    uint64_t bytesGarbledIn = 0;
    uint64_t bytesSent = 0;
    uint64_t bytesGarbledOut = 0;
};

class CameraLine {
public:
    CameraLine(CameraEngine &engine, HostPort &host, Clock &clock)
        : engine_(engine), host_(host), clock_(clock) {}

    // Bytes the host wrote. Returns false when sending the answer was cut
    // short because the program is to stop.
    bool onHostBytes(const uint8_t *bytes, size_t count);

    const LineStatistics &statistics() const { return stats_; }

    // Bytes written per pacing step: small enough that the host sees a
    // steady stream, large enough to keep system calls few. The first step of
    // an answer is its 4-byte header alone, so that the header reaches the
    // host as soon as its own last bit has crossed the line, as on a real
    // line, rather than after the first bytes of the payload behind it.
    static constexpr size_t kPacingSlice = 32;
    static constexpr size_t kHeaderSlice = 4;

private:
    bool sendPaced(OutputSegment &segment);

    CameraEngine &engine_;
    HostPort &host_;
    Clock &clock_;
    LineGarbler inbound_{0x1A2B};
    LineGarbler outbound_{0x3C4D};
    Micros lineFreeAt_ = 0;
    LineStatistics stats_;
};

}  // namespace camsim
