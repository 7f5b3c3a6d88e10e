// The camera library's exports as a host sees them: loaded by name at run
// time, every argument and result one 32-bit value (or a pointer), and the
// callee removing its arguments on 32-bit x86.
#pragma once

#include <cstdint>

#if defined(__i386__) || defined(_M_IX86)
#if defined(_MSC_VER)
#define CAM_HOST_CALL __stdcall
#else
#define CAM_HOST_CALL __attribute__((stdcall))
#endif
#else
#define CAM_HOST_CALL
#endif

namespace pdrcam {

// Progress callback: (cookie, always 0, percent 0-100); nonzero goes on,
// 0 asks the library to stop the transfer.
using CamProgressProc = int32_t(CAM_HOST_CALL *)(int32_t cookie, int32_t zero, int32_t percent);

// The exports this program uses, in one table: name, result, parameters.
#define PDRCAM_CAMERA_EXPORTS(X)                                         \
    X(Cam_set_port, int32_t, (int32_t port))                            \
    X(Cam_set_speed, int32_t, (int32_t speed_class))                    \
    X(Cam_session_enabled, int32_t, (int32_t enable))                   \
    X(Cam_error, int32_t, ())                                           \
    X(Cam_ready, int32_t, ())                                           \
    X(Cam_reset_dll, int32_t, ())                                       \
    X(Cam_setup_callback, int32_t, (CamProgressProc callback, int32_t cookie)) \
    X(Cam_get_picture_count, int32_t, ())                               \
    X(Cam_get_picture_size, int32_t, (int32_t picture))                 \
    X(Cam_get_picture_type, int32_t, (int32_t picture, int32_t *type))  \
    X(Cam_get_picture_file, int32_t, (int32_t file, int32_t picture))   \
    X(Cam_get_thumbnail_file, int32_t, (int32_t file, int32_t picture)) \
    X(Cam_erase_select, int32_t, (int32_t picture))                     \
    X(Cam_erase_last, int32_t, ())                                      \
    X(Cam_erase_all, int32_t, ())                                       \
    X(Cam_get_version, int32_t, (char *text))                           \
    X(Cam_get_maker, int32_t, (char *text))                             \
    X(Cam_get_cam_type, int32_t, (char *text))                          \
    X(Cam_get_memory_status, int32_t, ())

struct CameraApi {
#define PDRCAM_DECLARE_EXPORT(name, result, params) result(CAM_HOST_CALL *name) params = nullptr;
    PDRCAM_CAMERA_EXPORTS(PDRCAM_DECLARE_EXPORT)
#undef PDRCAM_DECLARE_EXPORT
};

// Codes the library returns and keeps as its last error.
enum CameraCode : int32_t {
    kCamOk = 0,
    kCamErrParam = 2,
    kCamErrNoPort = 3,
    kCamErrNoResponse = 4,
    kCamErrClose = 7,
    kCamErrTimeout = 10,
    kCamErrOpen = 11,
    kCamErrCamera = 13,
    kCamErrCancelled = 19,
    kCamErrNotSupported = 254,
    kCamErrGeneral = 255,
};

// Text answers arrive in buffers of at most 1024 bytes plus a terminator.
constexpr int kCameraTextCapacity = 1025;

}  // namespace pdrcam
