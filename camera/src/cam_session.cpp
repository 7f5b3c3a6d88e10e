// Choosing the port and speed, opening and closing sessions with the speed
// negotiation, and the automatic re-opening before every camera operation.
#include "cam_core.h"
#include "protocol.h"
#include "speed_classes.h"

namespace peltrix {
namespace {

int openPort(PortLibrary &line, int port) {
    return line.open("com", port, CAM_RESTING_SPEED, 8, 1, 1, 4096, 4096);
}

}  // namespace

int CamCore::sendSimpleCommand(std::uint8_t code, std::uint8_t subcode, const std::uint8_t *params,
                               int paramLength, int waitAllowance) {
    std::uint8_t command[CAM_HEADER_SIZE + 8] = {code, subcode};
    camStore16(command + 2, static_cast<unsigned>(paramLength));
    for (int i = 0; i < paramLength; ++i)
        command[CAM_HEADER_SIZE + i] = params[i];
    std::uint8_t answer[CAM_QUERY_CAPACITY];
    return cam_exchange(command, CAM_HEADER_SIZE + paramLength, answer, sizeof answer,
                        waitAllowance);
}

int CamCore::cam_probe() {
    if (sendSimpleCommand(CMD_READY, CAM_SUBCODE_QUERY, nullptr, 0, CAM_ALLOWANCE_PROBE) < 0)
        return cam_last_error;
    return cam_set_error(CAM_OK);
}

int CamCore::cam_send_speed(int code) {
    const std::uint8_t params[4] = {static_cast<std::uint8_t>(code), 0, 0, 0};
    if (sendSimpleCommand(CMD_SET_SPEED, CAM_SUBCODE_SETTING, params, 4, 0) < 0)
        return cam_last_error;
    line.sleepMs(cam_port, 500);
    return cam_set_error(CAM_OK);
}

int CamCore::cam_set_packet_size(int size) {
    const std::uint8_t params[4] = {0, static_cast<std::uint8_t>(size / 256), 0, 0};
    if (sendSimpleCommand(CMD_SET_PACKET_SIZE, CAM_SUBCODE_SETTING, params, 4, 0) < 0)
        return cam_last_error;
    return cam_set_error(CAM_OK);
}

int CamCore::cam_close_port(int port) {
    // Closing must not change what the host reads from Cam_error.
    const int remembered = cam_last_error;
    if (cam_speed_class != CAM_RESTING_SPEED_CODE)
        cam_send_speed(CAM_RESTING_SPEED_CODE);
    const int closed = line.close(port);
    cam_last_error = remembered;
    cam_session_state = Closed;
    return closed;
}

int CamCore::Cam_set_port(int port) {
    if (cam_session_state != Closed) {
        if (port == -1)
            return cam_port;
        return cam_set_error(CAM_ERR_GENERAL);
    }
    int first = port, last = port;
    const bool searching = port == 0;
    if (searching) {
        first = 1;
        last = 9;
    } else if (port < 1 || port > 9) {
        return cam_set_error(CAM_ERR_PARAM);
    }

    int found = -1;
    for (int candidate = first; candidate <= last && found < 0; ++candidate) {
        const int opened = openPort(line, candidate);
        if (opened <= 0)
            continue;
        bool answered = true;
        if (searching) {
            cam_port = opened;
            line.setFlow(opened, 2);
            cam_flush_input();
            answered = cam_probe() == CAM_OK;
        }
        cam_close_port(opened);
        if (answered)
            found = opened;
    }

    if (found > 0) {
        cam_set_error(CAM_OK);
        cam_port = found;
        cam_session_state = Closed;
        return found;
    }
    cam_set_error(CAM_ERR_NO_PORT);
    cam_session_state = Closed;
    cam_port = -1;
    return -1;
}

int CamCore::Cam_set_speed(int speedClass) {
    if (!camSpeedClassOffered(speedClass)) {
        cam_speed_class = 0;
        return cam_set_error(CAM_ERR_PARAM);
    }
    cam_speed_class = speedClass;
    return cam_set_error(CAM_OK);
}

int CamCore::Cam_session_enabled(int enable) {
    if (enable != 0 && enable != 1)
        return cam_set_error(CAM_ERR_PARAM);
    if (cam_port == -1)
        return cam_set_error(CAM_ERR_NO_PORT);

    if (enable == 1) {
        const int lineSpeed = camLineSpeed(cam_speed_class);
        if (cam_session_state != Closed && cam_close_port(cam_port) != 1)
            return cam_set_error(CAM_ERR_CLOSE);
        if (openPort(line, cam_port) <= 0)
            return cam_set_error(CAM_ERR_OPEN);
        cam_session_state = Open;
        line.setFlow(cam_port, 2);
        if (cam_probe() != CAM_OK && !recoverRestingSpeed()) {
            cam_close_port(cam_port);
            return cam_set_error(CAM_ERR_OPEN);
        }
        cam_set_packet_size(CAM_PACKET_SIZE);
        // The camera acknowledges at 19200 and then changes its own speed.
        const int speedResult = cam_send_speed(cam_speed_class);
        if (speedResult != CAM_OK)
            return cam_set_error(speedResult);
        if (line.setBaud(cam_port, lineSpeed) != 1)
            return cam_set_error(CAM_ERR_OPEN);
        line.sleepMs(cam_port, 50);
        return cam_set_error(CAM_OK);
    }

    if (cam_session_state == Closed)
        return cam_set_error(CAM_OK);
    cam_speed_class = 0;
    if (cam_send_speed(CAM_RESTING_SPEED_CODE) == CAM_OK)
        line.sleepMs(cam_port, 50);
    // With the class now 0 this sends the resting speed a second time, at the
    // session's line speed, which reaches a camera that missed the first one.
    if (cam_close_port(cam_port) != 1)
        return cam_set_error(CAM_ERR_CLOSE);
    cam_session_state = Closed;
    return cam_set_error(CAM_OK);
}

int CamCore::cam_ensure_session() {
    if (cam_session_state == Open)
        return CAM_OK;
    const int port = cam_port;
    const int speedClass = cam_speed_class;
    if (cam_session_state == Broken)
        Cam_session_enabled(0);
    Cam_set_speed(speedClass);
    Cam_set_port(port);
    return Cam_session_enabled(1);
}

int CamCore::Cam_ready() {
    return cam_probe() == CAM_OK ? 1 : 0;
}

int CamCore::Cam_reset_dll() {
    if (cam_session_state != Closed)
        cam_close_port(cam_port);
    cam_session_state = Closed;
    cam_port = -1;
    cam_speed_class = 0;
    cam_set_error(CAM_OK);
    cam_progress_callback = nullptr;
    cam_progress_cookie = 0;
    return CAM_OK;
}

int CamCore::Cam_setup_callback(CamProgressProc callback, int cookie) {
    cam_progress_callback = callback;
    cam_progress_cookie = cookie;
    return cam_set_error(CAM_OK);
}

}  // namespace peltrix
