// One command/response dialogue with the camera: framing, echo check, status
// codes, retries and speed-scaled time-outs.
#include "cam_core.h"
#include "protocol.h"
#include "speed_classes.h"

#include <algorithm>
#include <cstring>

namespace peltrix {

CamCore::CamCore(PortLibrary &line, FileSink &files) : line(line), files(files) {}

int CamCore::cam_set_error(int code) {
    cam_last_error = code;
    if (cam_session_state == Closed)
        return code;
    switch (code) {
    case CAM_OK:
        cam_session_state = Open;
        break;
    case 1:
    case CAM_ERR_PARAM:
    case CAM_ERR_NO_PORT:
    case 5:
    case 6:
    case CAM_ERR_CAMERA:
    case CAM_ERR_CANCELLED:
    // The host's file failed, or the camera's pictures moved, not the line:
    // the session is still good.
    case CAM_ERR_WRITE:
    case CAM_ERR_PICTURES_CHANGED:
        break;
    default:
        cam_session_state = Broken;
        break;
    }
    return code;
}

void CamCore::cam_flush_input() {
    std::uint8_t scratch[16];
    while (line.readBufToQuiet(cam_port, scratch, 15, 1) > 0) {
    }
}

int CamCore::failExchange(int code) {
    cam_set_error(code);
    return -1;
}

int CamCore::payloadTimeout(int chunk) const {
    return std::max(chunk * camTimeoutFactor(cam_speed_class) / 40, CAM_MIN_PAYLOAD_TIMEOUT_MS);
}

int CamCore::cam_exchange(const std::uint8_t *command, int commandLength, std::uint8_t *response,
                          int capacity, int waitAllowance) {
    int retries = 3;
    int resyncResends = 0;
    for (;;) {
        int total = 0;
        line.write(cam_port, command, commandLength);

        // The header goes to a buffer of its own: a caller's capacity may be below 4.
        std::uint8_t header[CAM_HEADER_SIZE];
        if (line.readTimed(cam_port, header, CAM_HEADER_SIZE, CAM_HEADER_TIMEOUT_MS) !=
            CAM_HEADER_SIZE) {
            if (retries == 0)
                return failExchange(CAM_ERR_NO_RESPONSE);
            --retries;
            cam_flush_input();
            continue;
        }
        line.sleepMs(cam_port, 10);
        if (header[0] != command[0])
            return failExchange(CAM_ERR_NO_RESPONSE);

        if (header[1] != command[1]) {
            const int status = header[1];
            if (status == CAM_STATUS_BUSY) {
                if (waitAllowance <= 0)
                    return failExchange(CAM_ERR_CAMERA);
                line.sleepMs(cam_port, waitAllowance / 1000);
            } else if (camIsRefusal(status)) {
                return failExchange(CAM_ERR_CAMERA);
            } else if (status == CAM_STATUS_RESYNC) {
                if (resyncResends == CAM_MAX_RESYNC_RESENDS)
                    return failExchange(CAM_ERR_NO_RESPONSE);
                ++resyncResends;
                if (waitAllowance != CAM_ALLOWANCE_PROBE) {
                    const int resynced = cam_resync_directory();
                    if (resynced != CAM_OK)
                        return failExchange(resynced);
                }
                continue;
            } else {
                return failExchange(CAM_ERR_NO_RESPONSE);
            }
        }

        // Payload. What does not fit the caller's buffer is still read off the
        // line (so the next exchange starts clean) but dropped.
        int remaining = camLoad16(header + 2);
        bool stalled = false;
        std::uint8_t overflow[CAM_PACKET_SIZE];
        while (remaining != 0) {
            const int chunk = std::min(remaining, CAM_PACKET_SIZE);
            const bool fits = capacity - total >= chunk;
            std::uint8_t *target = fits ? response + total : overflow;
            int received = line.readTimed(cam_port, target, chunk, payloadTimeout(chunk));
            if (received <= 0) {
                stalled = true;
                break;
            }
            received = std::min(received, chunk);
            if (!fits && total < capacity) {
                const int kept = std::min(received, capacity - total);
                std::memcpy(response + total, overflow, static_cast<size_t>(kept));
                total += kept;
            } else if (fits) {
                total += received;
            }
            remaining -= received;
        }
        if (!stalled)
            return total;
        if (retries == 0)
            return failExchange(CAM_ERR_TIMEOUT);
        --retries;
        cam_flush_input();
    }
}

}  // namespace peltrix
