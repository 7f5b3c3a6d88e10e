// Erasing pictures (keeping the table in step with the camera) and asking
// the camera about itself.
#include "cam_core.h"
#include "protocol.h"

#include <algorithm>
#include <cstring>

namespace peltrix {
namespace {

constexpr char kDefaultMaker[] = "Toshiba";
constexpr char kModelName[] = "PDR-M4";

// The camera's text without its own terminator: copied up to its first zero
// byte, the rest of its length zeroed, then a terminator behind it.
void copyAnswerText(char *text, const std::uint8_t *answer, int length) {
    if (!text)
        return;
    const std::uint8_t *end = std::find(answer, answer + length, 0);
    const int copied = static_cast<int>(end - answer);
    std::memcpy(text, answer, static_cast<size_t>(copied));
    std::memset(text + copied, 0, static_cast<size_t>(length - copied) + 1);
}

}  // namespace

int CamCore::Cam_erase_select(int picture) {
    const int prepared = preparePictureOperation(picture);
    if (prepared != CAM_OK)
        return prepared;

    const CamPicture &target = cam_pictures[picture - 1];
    std::uint8_t command[8] = {CMD_ERASE, CAM_SUBCODE_SETTING, 4, 0, 0, 0, 0, 0};
    camStore16(command + 4, static_cast<unsigned>(target.group));
    camStore16(command + 6, static_cast<unsigned>(target.number));
    std::uint8_t answer[CAM_QUERY_CAPACITY];
    if (cam_exchange(command, sizeof command, answer, sizeof answer, 0) < 0)
        return cam_last_error;

    // A re-sync during the erase may have re-read the table; if it no longer
    // holds the picture it is read again at the next use.
    if (cam_picture_count >= picture) {
        std::copy(cam_pictures.begin() + picture, cam_pictures.begin() + cam_picture_count,
                  cam_pictures.begin() + picture - 1);
        --cam_picture_count;
    } else {
        cam_invalidate_pictures();
    }
    return cam_set_error(CAM_OK);
}

int CamCore::Cam_erase_last() {
    return Cam_erase_select(cam_count_pictures());
}

int CamCore::Cam_erase_all() {
    const int count = cam_count_pictures();
    for (int i = 0; i < count; ++i) {
        const int result = Cam_erase_select(1);
        if (result != CAM_OK)
            return result;
    }
    cam_invalidate_pictures();
    return CAM_OK;
}

int CamCore::Cam_get_version(char *text) {
    const int sessionResult = cam_ensure_session();
    if (sessionResult != CAM_OK)
        return cam_set_error(sessionResult);
    const std::uint8_t command[4] = {CMD_VERSION, CAM_SUBCODE_QUERY, 0, 0};
    std::uint8_t answer[CAM_QUERY_CAPACITY];
    const int received = cam_exchange(command, sizeof command, answer, sizeof answer, 0);
    if (received < 0)
        return cam_last_error;
    copyAnswerText(text, answer, received);
    return cam_set_error(CAM_OK);
}

int CamCore::Cam_get_maker(char *text) {
    const int sessionResult = cam_ensure_session();
    if (sessionResult != CAM_OK)
        return cam_set_error(sessionResult);
    const std::uint8_t command[4] = {CMD_MAKER, CAM_SUBCODE_QUERY, 0, 0};
    std::uint8_t answer[CAM_QUERY_CAPACITY];
    const int received = cam_exchange(command, sizeof command, answer, sizeof answer, 0);
    if (received >= 1)
        copyAnswerText(text, answer, received);
    else if (text)
        std::memcpy(text, kDefaultMaker, sizeof kDefaultMaker);
    return cam_set_error(CAM_OK);
}

int CamCore::Cam_get_cam_type(char *text) {
    if (text)
        std::memcpy(text, kModelName, sizeof kModelName);
    return cam_set_error(CAM_OK);
}

int CamCore::Cam_get_memory_status() {
    const int sessionResult = cam_ensure_session();
    if (sessionResult != CAM_OK) {
        cam_set_error(sessionResult);
        return 0;
    }
    const std::uint8_t command[4] = {CMD_MEMORY_STATUS, CAM_SUBCODE_QUERY, 0, 0};
    std::uint8_t answer[CAM_QUERY_CAPACITY];
    const int received = cam_exchange(command, sizeof command, answer, sizeof answer, 0);
    // The status sits in bytes 6-7; a shorter answer carries none.
    if (received < 8)
        return 0;
    return static_cast<std::int16_t>(camLoad16(answer + 6));
}

}  // namespace peltrix
