// The one library state behind the exports: the host sees a single camera
// library per process.
#pragma once

#include "cam_core.h"

namespace peltrix {

// Built at first use (loading the library runs nothing), over the imported
// serial library and the platform's file appends.
CamCore &libraryCore();

}  // namespace peltrix
