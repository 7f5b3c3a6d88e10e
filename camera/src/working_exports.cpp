// The exports that talk to the camera or keep library state.
#include "library_instance.h"

#include <peltrix.h>

using peltrix::libraryCore;

extern "C" {

int CAM_CALL Cam_set_port(int port) {
    return libraryCore().Cam_set_port(port);
}
int CAM_CALL Cam_set_speed(int speedClass) {
    return libraryCore().Cam_set_speed(speedClass);
}
int CAM_CALL Cam_session_enabled(int enable) {
    return libraryCore().Cam_session_enabled(enable);
}
int CAM_CALL Cam_ready(void) {
    return libraryCore().Cam_ready();
}
int CAM_CALL Cam_reset_dll(void) {
    return libraryCore().Cam_reset_dll();
}
int CAM_CALL Cam_error(void) {
    return libraryCore().Cam_error();
}
int CAM_CALL Cam_setup_callback(CamProgressProc callback, int cookie) {
    return libraryCore().Cam_setup_callback(callback, cookie);
}

int CAM_CALL Cam_get_picture_count(void) {
    return libraryCore().Cam_get_picture_count();
}
int CAM_CALL Cam_get_picture_size(int picture) {
    return libraryCore().Cam_get_picture_size(picture);
}
int CAM_CALL Cam_get_thumbnail_size(int picture) {
    return libraryCore().Cam_get_thumbnail_size(picture);
}
int CAM_CALL Cam_get_picture_type(int picture, int *type) {
    return libraryCore().Cam_get_picture_type(picture, type);
}
int CAM_CALL Cam_get_picture_file(int file, int picture) {
    return libraryCore().Cam_get_picture_file(file, picture);
}
int CAM_CALL Cam_get_thumbnail_file(int file, int picture) {
    return libraryCore().Cam_get_thumbnail_file(file, picture);
}

int CAM_CALL Cam_erase_select(int picture) {
    return libraryCore().Cam_erase_select(picture);
}
int CAM_CALL Cam_erase_last(void) {
    return libraryCore().Cam_erase_last();
}
int CAM_CALL Cam_erase_all(void) {
    return libraryCore().Cam_erase_all();
}
int CAM_CALL Cam_get_version(char *text) {
    return libraryCore().Cam_get_version(text);
}
int CAM_CALL Cam_get_maker(char *text) {
    return libraryCore().Cam_get_maker(text);
}
int CAM_CALL Cam_get_cam_type(char *text) {
    return libraryCore().Cam_get_cam_type(text);
}
int CAM_CALL Cam_get_memory_status(void) {
    return libraryCore().Cam_get_memory_status();
}

// Transfers of raw and arbitrary files are not offered, but they count as
// successful operations (a broken session reads as open again afterwards).
int CAM_CALL Cam_get_raw_file(int, int) {
    return libraryCore().cam_set_error(CAM_OK);
}
int CAM_CALL Cam_get_file(int, int) {
    return libraryCore().cam_set_error(CAM_OK);
}
int CAM_CALL Cam_put_file(int, int) {
    return libraryCore().cam_set_error(CAM_OK);
}

}  // extern "C"
