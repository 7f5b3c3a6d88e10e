#include "fake_camera_api.h"

#include "cancel_request.h"
#include "library_style_write.h"

#include <algorithm>
#include <cstring>

namespace pdrcam_test {
namespace {

FakeCameraApi gFake;

int32_t store(int32_t code) {
    gFake.lastError = code;
    return code;
}

bool validPicture(int32_t n) {
    return n >= 1 && n <= static_cast<int32_t>(gFake.pictures.size());
}

int32_t CAM_CALL setPort(int32_t port) {
    gFake.calls.push_back("set_port " + std::to_string(port));
    if (port < 0 || port > 9)
        return store(CAM_ERR_PARAM);
    const bool found = gFake.cameraPort != 0 && (port == 0 || port == gFake.cameraPort);
    if (!found) {
        store(CAM_ERR_NO_PORT);
        return -1;
    }
    store(CAM_OK);
    return gFake.cameraPort;
}

int32_t CAM_CALL setSpeed(int32_t speedClass) {
    gFake.calls.push_back("set_speed " + std::to_string(speedClass));
    return store(CAM_OK);
}

int32_t CAM_CALL sessionEnabled(int32_t enable) {
    gFake.calls.push_back("session " + std::to_string(enable));
    if (enable == 1) {
        if (gFake.openResult != 0)
            return store(gFake.openResult);
        gFake.sessionOpen = true;
    } else {
        gFake.sessionOpen = false;
    }
    return store(CAM_OK);
}

int32_t CAM_CALL lastError() {
    return gFake.lastError;
}

int32_t CAM_CALL setupCallback(CamProgressProc callback, int32_t cookie) {
    gFake.callback = callback;
    gFake.cookie = cookie;
    return store(CAM_OK);
}

int32_t CAM_CALL pictureCount() {
    gFake.calls.push_back("count");
    if (gFake.countResult != -2) {
        if (gFake.countResult < 0)
            store(CAM_ERR_NO_RESPONSE);
        return gFake.countResult;
    }
    store(CAM_OK);
    return static_cast<int32_t>(gFake.pictures.size());
}

int32_t CAM_CALL pictureSize(int32_t n) {
    return validPicture(n) ? static_cast<int32_t>(gFake.pictures[n - 1].data.size()) : 0;
}

int32_t CAM_CALL pictureType(int32_t n, int32_t *type) {
    *type = validPicture(n) && gFake.pictures[n - 1].group == 0 ? 1 : 0;
    return store(CAM_OK);
}

bool reportProgress(int percent) {
    gFake.progressSeen.push_back(percent);
    if (percent >= gFake.interruptAtPercent && gFake.interruptAtPercent >= 0)
        pdrcam::setCancelRequested(true);
    return gFake.callback(gFake.cookie, 0, percent) != 0;
}

int32_t CAM_CALL pictureFile(int32_t file, int32_t n) {
    gFake.calls.push_back("picture " + std::to_string(n));
    if (!validPicture(n))
        return store(CAM_ERR_CAMERA);
    const std::vector<uint8_t> &data = gFake.pictures[n - 1].data;
    const size_t total = data.size();
    const size_t deliver = total - std::min<size_t>(total, static_cast<size_t>(gFake.shortByBytes));
    const auto failure = gFake.failPicture.find(n);
    size_t offset = 0;
    while (offset < total) {
        if (!reportProgress(static_cast<int>(offset * 100 / total)))
            return store(CAM_ERR_CANCELLED);
        if (failure != gFake.failPicture.end() && offset >= total / 2)
            return store(failure->second);
        const size_t piece = std::min<size_t>(2048, total - offset);
        if (offset < deliver)
            appendLikeLibrary(file, data.data() + offset, std::min(piece, deliver - offset));
        offset += piece;
    }
    if (!reportProgress(100))
        return store(CAM_ERR_CANCELLED);
    return store(CAM_OK);
}

int32_t CAM_CALL thumbnailFile(int32_t file, int32_t n) {
    gFake.calls.push_back("thumbnail " + std::to_string(n));
    if (!validPicture(n))
        return store(CAM_ERR_CAMERA);
    const auto failure = gFake.failThumbnail.find(n);
    if (failure != gFake.failThumbnail.end())
        return failure->second == CAM_ERR_GENERAL ? CAM_ERR_GENERAL : store(failure->second);
    const auto &thumbnail = gFake.pictures[n - 1].thumbnail;
    appendLikeLibrary(file, thumbnail.data(), thumbnail.size());
    return store(CAM_OK);
}

int32_t CAM_CALL eraseSelect(int32_t n) {
    gFake.calls.push_back("erase " + std::to_string(n));
    const auto failure = gFake.failErase.find(n);
    if (failure != gFake.failErase.end())
        return store(failure->second);
    if (validPicture(n))
        gFake.pictures.erase(gFake.pictures.begin() + (n - 1));
    return store(CAM_OK);
}

int32_t CAM_CALL eraseLast() {
    gFake.calls.push_back("erase_last");
    if (!gFake.pictures.empty())
        gFake.pictures.pop_back();
    return store(CAM_OK);
}

int32_t CAM_CALL eraseAll() {
    gFake.calls.push_back("erase_all");
    gFake.pictures.clear();
    return store(CAM_OK);
}

int32_t copyText(char *buffer, const char *text) {
    std::strcpy(buffer, text);
    return store(CAM_OK);
}

int32_t CAM_CALL version(char *text) {
    return copyText(text, "V9.99");
}
int32_t CAM_CALL maker(char *text) {
    return copyText(text, "Maker of the test");
}
int32_t CAM_CALL camType(char *text) {
    return copyText(text, "PDR-M4");
}
int32_t CAM_CALL memoryStatus() {
    return -7;
}
int32_t CAM_CALL resetLibrary() {
    return store(CAM_OK);
}
int32_t CAM_CALL ready() {
    return 1;
}

}  // namespace

FakeCameraApi &fakeCameraApi() {
    return gFake;
}

void resetFakeCameraApi() {
    gFake = FakeCameraApi{};
    pdrcam::setCancelRequested(false);
}

pdrcam::CameraApi fakeCameraApiTable() {
    pdrcam::CameraApi api;
    api.Cam_set_port = setPort;
    api.Cam_set_speed = setSpeed;
    api.Cam_session_enabled = sessionEnabled;
    api.Cam_error = lastError;
    api.Cam_setup_callback = setupCallback;
    api.Cam_get_picture_count = pictureCount;
    api.Cam_get_picture_size = pictureSize;
    api.Cam_get_picture_type = pictureType;
    api.Cam_get_picture_file = pictureFile;
    api.Cam_get_thumbnail_file = thumbnailFile;
    api.Cam_erase_select = eraseSelect;
    api.Cam_erase_last = eraseLast;
    api.Cam_erase_all = eraseAll;
    api.Cam_get_version = version;
    api.Cam_get_maker = maker;
    api.Cam_get_cam_type = camType;
    api.Cam_get_memory_status = memoryStatus;
    api.Cam_reset_dll = resetLibrary;
    api.Cam_ready = ready;
    return api;
}

std::vector<uint8_t> patternBytes(size_t size, int salt, bool jpeg) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>((i * 31 + static_cast<size_t>(salt) * 7 + i / 251) & 0xFF);
    if (jpeg && size >= 3) {
        bytes[0] = 0xFF;
        bytes[1] = 0xD8;
        bytes[2] = 0xFF;
    }
    return bytes;
}

}  // namespace pdrcam_test
