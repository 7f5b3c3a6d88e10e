#pragma once
// The camera library's exports as a host sees them: loaded by name at run
// time, so the program does not link against the library; their types, the
// error codes and the speed classes come from the library's header.

#include <peltrix.h>

namespace pdrcam {

// The exports this program uses, by name.
#define PDRCAM_CAMERA_EXPORTS(X)                                                                   \
    X(Cam_set_port)                                                                                \
    X(Cam_set_speed)                                                                               \
    X(Cam_session_enabled)                                                                         \
    X(Cam_error)                                                                                   \
    X(Cam_ready)                                                                                   \
    X(Cam_reset_dll)                                                                               \
    X(Cam_setup_callback)                                                                          \
    X(Cam_get_picture_count)                                                                       \
    X(Cam_get_picture_size)                                                                        \
    X(Cam_get_picture_type)                                                                        \
    X(Cam_get_picture_file)                                                                        \
    X(Cam_get_thumbnail_file)                                                                      \
    X(Cam_erase_select)                                                                            \
    X(Cam_erase_last)                                                                              \
    X(Cam_erase_all)                                                                               \
    X(Cam_get_version)                                                                             \
    X(Cam_get_maker)                                                                               \
    X(Cam_get_cam_type)                                                                            \
    X(Cam_get_memory_status)

// One pointer per export, of the type peltrix.h declares (calling convention
// included); null until resolved.
struct CameraApi {
#define PDRCAM_DECLARE_EXPORT(name) decltype(&::name) name = nullptr;
    PDRCAM_CAMERA_EXPORTS(PDRCAM_DECLARE_EXPORT)
#undef PDRCAM_DECLARE_EXPORT
};

}  // namespace pdrcam
