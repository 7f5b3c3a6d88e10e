// Exports for facts this camera does not report and operations it does not
// offer: fixed answers, no camera traffic, nothing stored in the last error.
#include <peltrix.h>

namespace {

constexpr int kZero = 0;
constexpr int kUnsupported = CAM_ERR_NOT_SUPPORTED;
constexpr int kNotAvailable = CAM_ERR_GENERAL;

int writeEmptyText(char *text) {
    if (text)
        text[0] = '\0';
    return 0;
}

}  // namespace

extern "C" {

short CAM_CALL Cam_get_battery_status(void) {
    return 90;
}
short CAM_CALL Cam_get_color_mode(void) {
    return 0;
}
int CAM_CALL Cam_get_time_value(void) {
    return -1;
}
int CAM_CALL Cam_get_last_setting(void) {
    return 1;
}
int CAM_CALL Cam_get_picture_info(int, int) {
    return kNotAvailable;
}
int CAM_CALL Cam_get_function_available(int) {
    return kNotAvailable;
}
int CAM_CALL Cam_get_id(char *text) {
    return writeEmptyText(text);
}
int CAM_CALL Cam_get_serial_no(char *text) {
    return writeEmptyText(text);
}

int CAM_CALL Cam_get_cgain(void) {
    return kZero;
}
int CAM_CALL Cam_get_diag_long(void) {
    return kZero;
}
int CAM_CALL Cam_get_exposure(void) {
    return kZero;
}
int CAM_CALL Cam_get_flash_mode(void) {
    return kZero;
}
int CAM_CALL Cam_get_focus(void) {
    return kZero;
}
int CAM_CALL Cam_get_free_mem(void) {
    return kZero;
}
int CAM_CALL Cam_get_lcd_disp_language(void) {
    return kZero;
}
int CAM_CALL Cam_get_remaining_count(void) {
    return kZero;
}
int CAM_CALL Cam_get_resolution(void) {
    return kZero;
}
int CAM_CALL Cam_get_ygain(void) {
    return kZero;
}
int CAM_CALL Cam_pwr_off(void) {
    return kZero;
}

int CAM_CALL Cam_get_audio_size(int) {
    return kZero;
}
int CAM_CALL Cam_set_color_mode(int) {
    return kZero;
}
int CAM_CALL Cam_set_device_list(int) {
    return kZero;
}
int CAM_CALL Cam_set_exposure(int) {
    return kZero;
}
int CAM_CALL Cam_set_flash_mode(int) {
    return kZero;
}
int CAM_CALL Cam_set_focus(int) {
    return kZero;
}
int CAM_CALL Cam_set_id(int) {
    return kZero;
}
int CAM_CALL Cam_set_lcd_disp_language(int) {
    return kZero;
}
int CAM_CALL Cam_set_resolution(int) {
    return kZero;
}
int CAM_CALL Cam_set_serial(int) {
    return kZero;
}
int CAM_CALL Cam_set_time(int) {
    return kZero;
}

int CAM_CALL Cam_get_pwr_down(int, int) {
    return kZero;
}
int CAM_CALL Cam_set_pwr_down(int, int) {
    return kZero;
}

int CAM_CALL Cam_get_beep_mode(void) {
    return kUnsupported;
}
int CAM_CALL Cam_take_pic(void) {
    return kUnsupported;
}
int CAM_CALL Cam_take_preview(void) {
    return kUnsupported;
}
int CAM_CALL Cam_write_loaded_data(void) {
    return kUnsupported;
}

int CAM_CALL Cam_execute_diag(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_FAT(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_MBR(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_PBR(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_color_bal(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_diag_buffer(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_gamma_correct(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_memory_info(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_protect_mode(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_root_dir(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_time(int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_wbalance(int) {
    return kUnsupported;
}
int CAM_CALL Cam_load_firmware(int) {
    return kUnsupported;
}
int CAM_CALL Cam_record_audio(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_beep_mode(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_cgain(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_color_bal(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_diag_long(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_diag_trace_file(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_gamma_correct(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_last_setting(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_timer_led(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_wbalance(int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_ygain(int) {
    return kUnsupported;
}

int CAM_CALL Cam_get_audio_buffer(int, int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_cluster_data(int, int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_picture_buffer(int, int) {
    return kUnsupported;
}
int CAM_CALL Cam_get_thumbnail_buffer(int, int) {
    return kUnsupported;
}
int CAM_CALL Cam_load_file_data(int, int) {
    return kUnsupported;
}
int CAM_CALL Cam_protect_picture(int, int) {
    return kUnsupported;
}
int CAM_CALL Cam_set_diag_buffer(int, int) {
    return kUnsupported;
}

}  // extern "C"
