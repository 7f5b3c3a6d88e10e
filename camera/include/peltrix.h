/* Peltrix: the camera interface library. A host drives a PDR-M4 camera on a
 * serial line through these 90 functions. Every argument is one 32-bit value
 * (a number, a pointer or a file handle); every result is 32-bit except
 * Cam_get_battery_status and Cam_get_color_mode (16-bit). On 32-bit x86 the
 * functions are __stdcall: the callee removes its arguments.
 *
 * File handles: on Windows an HFILE opened for writing, on POSIX a file
 * descriptor; the library only appends to it, with _lwrite on Windows and
 * write on POSIX. A write that fails or stores fewer bytes than asked (a full
 * disk, a closed handle) ends Cam_get_picture_file or Cam_get_thumbnail_file
 * at once with CAM_ERR_WRITE: nothing more is fetched from the camera, the
 * file keeps what was stored before, the session stays open, and the
 * platform's own reason (errno, GetLastError) is left as the write set it for
 * the host to read straight after the call.
 * Text buffers: the library writes at most CAM_TEXT_CAPACITY bytes (an
 * answer of at most 1024 bytes and a terminating zero).
 *
 * Picture numbers and a camera whose pictures change. The host numbers the
 * pictures 1 to count as Cam_get_picture_count listed them, less those it
 * has erased through the library since (each erase moves the later ones
 * down by one). A camera whose pictures changed behind the host (erased with
 * its buttons or by another program, a card swapped) answers a command with
 * status 137; the library then reads the directory again and sends the
 * command once more. When that read finds the same pictures (groups,
 * numbers and sizes), nothing else happens. When it finds others, the
 * host's numbers are stale, and:
 * - A transfer or erase keeps the group, number and size of the picture it
 *   began with. It goes on only if that picture is still on the camera with
 *   the same size, and then ends as usual: the file holds that picture
 *   alone. Otherwise it ends at once with CAM_ERR_PICTURES_CHANGED: nothing
 *   more is written (the file keeps the pieces of that picture written
 *   before) and nothing is erased. The same holds for thumbnails. (When the
 *   read itself fails, the call ends with the read's code.)
 * - From then on Cam_get_picture_file, Cam_get_thumbnail_file,
 *   Cam_erase_select, Cam_erase_last and Cam_erase_all answer
 *   CAM_ERR_PICTURES_CHANGED at once, with no camera traffic, until the host
 *   calls Cam_get_picture_count, which numbers the pictures afresh.
 *   Cam_get_picture_size and Cam_get_picture_type answer from the new table
 *   meanwhile.
 * CAM_ERR_PICTURES_CHANGED leaves the session open. So a host that meets it
 * lists the pictures again before it uses a number, and never fetches or
 * erases by a number that has come to name another picture.
 *
 * The exports and their argument counts are listed once, in
 * peltrix_exports.txt beside this header; a test holds the declarations below
 * to that table. */
#ifndef PELTRIX_H
#define PELTRIX_H

#if defined(__i386__) || defined(_M_IX86)
#if defined(_WIN32)
#define CAM_CALL __stdcall
#else
#define CAM_CALL __attribute__((stdcall))
#endif
#else
#define CAM_CALL
#endif

#if defined(_WIN32)
#if defined(PELTRIX_BUILDING)
#define CAM_API
#else
#define CAM_API __declspec(dllimport)
#endif
#else
#define CAM_API __attribute__((visibility("default")))
#endif

/* Error codes kept in the last-error variable (Cam_error). */
#define CAM_OK                0
#define CAM_ERR_PARAM         2
#define CAM_ERR_NO_PORT       3
#define CAM_ERR_NO_RESPONSE   4
#define CAM_ERR_CLOSE         7
#define CAM_ERR_TIMEOUT       10
#define CAM_ERR_OPEN          11
#define CAM_ERR_CAMERA        13
#define CAM_ERR_CANCELLED     19
#define CAM_ERR_WRITE         20 /* the host's file could not be written */
#define CAM_ERR_PICTURES_CHANGED 21 /* the camera's pictures changed during the call */
#define CAM_ERR_NOT_SUPPORTED 254
#define CAM_ERR_GENERAL       255

/* Speed classes for Cam_set_speed: the camera's speed codes. A session opened
 * with a class runs at the line speed in its name, in bits per second. */
#define CAM_SPEED_9600   1
#define CAM_SPEED_19200  2
#define CAM_SPEED_38400  3
#define CAM_SPEED_57600  4
#define CAM_SPEED_115200 5
#define CAM_SPEED_230400 6
#define CAM_SPEED_48000  16
#define CAM_SPEED_64000  17
#define CAM_SPEED_96000  18

/* Size of a text buffer that holds any answer of Cam_get_version,
 * Cam_get_maker, Cam_get_cam_type, Cam_get_id and Cam_get_serial_no. */
#define CAM_TEXT_CAPACITY 1025

#ifdef __cplusplus
extern "C" {
#endif

/* Progress callback: (cookie given to Cam_setup_callback, always 0, percent
 * 0-100). Returns nonzero to go on, 0 to stop the transfer. */
typedef int(CAM_CALL *CamProgressProc)(int cookie, int zero, int percent);

/* Session, port and speed */
CAM_API int CAM_CALL Cam_set_port(int port);
CAM_API int CAM_CALL Cam_set_speed(int speedClass);
CAM_API int CAM_CALL Cam_session_enabled(int enable);
CAM_API int CAM_CALL Cam_ready(void);
CAM_API int CAM_CALL Cam_reset_dll(void);
CAM_API int CAM_CALL Cam_error(void);
CAM_API int CAM_CALL Cam_setup_callback(CamProgressProc callback, int cookie);
CAM_API int CAM_CALL Cam_pwr_off(void);
CAM_API int CAM_CALL Cam_set_pwr_down(int a, int b);
CAM_API int CAM_CALL Cam_get_pwr_down(int a, int b);

/* Picture directory and transfer */
CAM_API int CAM_CALL Cam_get_picture_count(void);
CAM_API int CAM_CALL Cam_get_picture_size(int picture);
CAM_API int CAM_CALL Cam_get_thumbnail_size(int picture);
CAM_API int CAM_CALL Cam_get_picture_type(int picture, int *type);
CAM_API int CAM_CALL Cam_get_picture_file(int file, int picture);
CAM_API int CAM_CALL Cam_get_thumbnail_file(int file, int picture);

/* Camera information and maintenance */
CAM_API int CAM_CALL Cam_erase_select(int picture);
CAM_API int CAM_CALL Cam_erase_last(void);
CAM_API int CAM_CALL Cam_erase_all(void);
CAM_API int CAM_CALL Cam_get_version(char *text);
CAM_API int CAM_CALL Cam_get_maker(char *text);
CAM_API int CAM_CALL Cam_get_cam_type(char *text);
CAM_API int CAM_CALL Cam_get_memory_status(void);

/* Fixed answers */
CAM_API short CAM_CALL Cam_get_battery_status(void);
CAM_API short CAM_CALL Cam_get_color_mode(void);
CAM_API int CAM_CALL Cam_get_time_value(void);
CAM_API int CAM_CALL Cam_get_last_setting(void);
CAM_API int CAM_CALL Cam_get_picture_info(int a, int b);
CAM_API int CAM_CALL Cam_get_function_available(int a);
CAM_API int CAM_CALL Cam_get_raw_file(int a, int b);
CAM_API int CAM_CALL Cam_get_file(int a, int b);
CAM_API int CAM_CALL Cam_put_file(int a, int b);
CAM_API int CAM_CALL Cam_get_id(char *text);
CAM_API int CAM_CALL Cam_get_serial_no(char *text);

/* Answer 0, no arguments */
CAM_API int CAM_CALL Cam_get_cgain(void);
CAM_API int CAM_CALL Cam_get_diag_long(void);
CAM_API int CAM_CALL Cam_get_exposure(void);
CAM_API int CAM_CALL Cam_get_flash_mode(void);
CAM_API int CAM_CALL Cam_get_focus(void);
CAM_API int CAM_CALL Cam_get_free_mem(void);
CAM_API int CAM_CALL Cam_get_lcd_disp_language(void);
CAM_API int CAM_CALL Cam_get_remaining_count(void);
CAM_API int CAM_CALL Cam_get_resolution(void);
CAM_API int CAM_CALL Cam_get_ygain(void);

/* Answer 0, one argument */
CAM_API int CAM_CALL Cam_get_audio_size(int a);
CAM_API int CAM_CALL Cam_set_color_mode(int a);
CAM_API int CAM_CALL Cam_set_device_list(int a);
CAM_API int CAM_CALL Cam_set_exposure(int a);
CAM_API int CAM_CALL Cam_set_flash_mode(int a);
CAM_API int CAM_CALL Cam_set_focus(int a);
CAM_API int CAM_CALL Cam_set_id(int a);
CAM_API int CAM_CALL Cam_set_lcd_disp_language(int a);
CAM_API int CAM_CALL Cam_set_resolution(int a);
CAM_API int CAM_CALL Cam_set_serial(int a);
CAM_API int CAM_CALL Cam_set_time(int a);

/* Not supported (254), no arguments */
CAM_API int CAM_CALL Cam_get_beep_mode(void);
CAM_API int CAM_CALL Cam_take_pic(void);
CAM_API int CAM_CALL Cam_take_preview(void);
CAM_API int CAM_CALL Cam_write_loaded_data(void);

/* Not supported (254), one argument */
CAM_API int CAM_CALL Cam_execute_diag(int a);
CAM_API int CAM_CALL Cam_get_FAT(int a);
CAM_API int CAM_CALL Cam_get_MBR(int a);
CAM_API int CAM_CALL Cam_get_PBR(int a);
CAM_API int CAM_CALL Cam_get_color_bal(int a);
CAM_API int CAM_CALL Cam_get_diag_buffer(int a);
CAM_API int CAM_CALL Cam_get_gamma_correct(int a);
CAM_API int CAM_CALL Cam_get_memory_info(int a);
CAM_API int CAM_CALL Cam_get_protect_mode(int a);
CAM_API int CAM_CALL Cam_get_root_dir(int a);
CAM_API int CAM_CALL Cam_get_time(int a);
CAM_API int CAM_CALL Cam_get_wbalance(int a);
CAM_API int CAM_CALL Cam_load_firmware(int a);
CAM_API int CAM_CALL Cam_record_audio(int a);
CAM_API int CAM_CALL Cam_set_beep_mode(int a);
CAM_API int CAM_CALL Cam_set_cgain(int a);
CAM_API int CAM_CALL Cam_set_color_bal(int a);
CAM_API int CAM_CALL Cam_set_diag_long(int a);
CAM_API int CAM_CALL Cam_set_diag_trace_file(int a);
CAM_API int CAM_CALL Cam_set_gamma_correct(int a);
CAM_API int CAM_CALL Cam_set_last_setting(int a);
CAM_API int CAM_CALL Cam_set_timer_led(int a);
CAM_API int CAM_CALL Cam_set_wbalance(int a);
CAM_API int CAM_CALL Cam_set_ygain(int a);

/* Not supported (254), two arguments */
CAM_API int CAM_CALL Cam_get_audio_buffer(int a, int b);
CAM_API int CAM_CALL Cam_get_cluster_data(int a, int b);
CAM_API int CAM_CALL Cam_get_picture_buffer(int a, int b);
CAM_API int CAM_CALL Cam_get_thumbnail_buffer(int a, int b);
CAM_API int CAM_CALL Cam_load_file_data(int a, int b);
CAM_API int CAM_CALL Cam_protect_picture(int a, int b);
CAM_API int CAM_CALL Cam_set_diag_buffer(int a, int b);

#ifdef __cplusplus
}
#endif

#endif
