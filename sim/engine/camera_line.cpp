#include "camera_line.h"

#include <algorithm>
#include <vector>

#include "speed_codes.h"

namespace camsim {

bool CameraLine::onHostBytes(const uint8_t *bytes, size_t count) {
    std::vector<uint8_t> received(bytes, bytes + count);
    stats_.bytesReceived += count;
    if (host_.hostSpeed() != engine_.lineSpeed()) {
        inbound_.garble(received.data(), received.size());
        stats_.bytesGarbledIn += count;
    }
    const uint32_t speedBefore = engine_.lineSpeed();
    engine_.receive(received.data(), received.size(), clock_.now());
    for (auto &segment : engine_.takeOutput())
        if (!sendPaced(segment))
            return false;
    if (engine_.lineSpeed() != speedBefore)
        host_.cameraSpeedChanged(engine_.lineSpeed());
    return true;
}

bool CameraLine::sendPaced(OutputSegment &segment) {
    const bool pace = host_.needsPacing();
    const Micros start = std::max(clock_.now(), lineFreeAt_) + segment.pauseBefore;
    if (segment.pauseBefore > 0 && !clock_.sleepUntil(start))
        return false;
    for (size_t sent = 0; sent < segment.bytes.size();) {
        const size_t slice =
            std::min(sent == 0 ? kHeaderSlice : kPacingSlice, segment.bytes.size() - sent);
        // A byte reaches the host only once its last bit has crossed the line.
        if (pace && !clock_.sleepUntil(start + transmissionMicros(sent + slice, segment.lineSpeed)))
            return false;
        uint8_t *data = segment.bytes.data() + sent;
        if (host_.hostSpeed() != segment.lineSpeed) {
            outbound_.garble(data, slice);
            stats_.bytesGarbledOut += slice;
        }
        host_.write(data, slice);
        stats_.bytesSent += slice;
        sent += slice;
    }
    lineFreeAt_ = start + transmissionMicros(segment.bytes.size(), segment.lineSpeed);
    return true;
}

}  // namespace camsim
