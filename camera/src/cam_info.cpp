// Erasing pictures (keeping the table in step with the camera) and asking
// the camera about itself.
#include "cam_core.h"
#include "protocol.h"
#include "scoped_value.h"

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

    const CamPicture target = cam_pictures[picture - 1];
    ScopedValue<const CamPicture *> inUse(picture_in_use, &target);
    std::uint8_t command[8] = {CMD_ERASE, CAM_SUBCODE_SETTING, 4, 0, 0, 0, 0, 0};
    camStore16(command + 4, static_cast<unsigned>(target.group));
    camStore16(command + 6, static_cast<unsigned>(target.number));
    std::uint8_t answer[CAM_QUERY_CAPACITY];
    if (cam_exchange(command, sizeof command, answer, sizeof answer, 0) < 0)
        return cam_last_error;

    removeFromTable(target, picture - 1);
    return cam_set_error(CAM_OK);
}

void CamCore::removeFromTable(const CamPicture &erased, int index) {
    // Where it was when the erase began, unless a re-read during the erase
    // moved it: then found by group and number. The later pictures move
    // down, in order.
    const auto end = cam_pictures.begin() + std::max(cam_picture_count, 0);
    const auto same = [&](const CamPicture &entry) {
        return entry.group == erased.group && entry.number == erased.number;
    };
    auto at = cam_pictures.begin() + index;
    if (at >= end || !same(*at))
        at = std::find_if(cam_pictures.begin(), end, same);
    if (at == end)
        return;
    std::copy(at + 1, end, at);
    --cam_picture_count;
}

int CamCore::Cam_erase_last() {
    return Cam_erase_select(cam_count_pictures());
}

int CamCore::Cam_erase_all() {
    const int count = cam_count_pictures();
    // Stale numbers: "all" would be pictures the host has never seen.
    if (numbering.stale())
        return cam_set_error(CAM_ERR_PICTURES_CHANGED);
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
