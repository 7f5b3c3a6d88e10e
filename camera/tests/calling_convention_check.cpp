// Compiled in the 32-bit Windows build only: hosts call every export and are
// called back as __stdcall, and a mismatch there unbalances the host's stack on
// every call. The compiler treats the calling convention as part of a function
// type, so these checks fail the build when a declaration loses it.
#include <type_traits>

#include "cam_core.h"
#include "peltrix.h"

#define STDCALL __attribute__((stdcall))

static_assert(std::is_same<CamProgressProc, int(STDCALL *)(int, int, int)>::value,
              "the progress callback is called as __stdcall");
static_assert(std::is_same<decltype(&peltrix::CamCore::Cam_setup_callback),
                           int (peltrix::CamCore::*)(CamProgressProc, int)>::value,
              "the library keeps and calls the callback through the __stdcall type");
static_assert(
    std::is_same<decltype(&Cam_setup_callback), int(STDCALL *)(CamProgressProc, int)>::value,
    "Cam_setup_callback is __stdcall and takes the __stdcall callback");
static_assert(std::is_same<decltype(&Cam_get_picture_file), int(STDCALL *)(int, int)>::value,
              "exports are __stdcall");
static_assert(std::is_same<decltype(&Cam_get_battery_status), short(STDCALL *)()>::value,
              "16-bit results stay 16-bit");
