// The one library state behind the exports: the host sees a single camera
// library per process.
#ifndef PELTRIX_LIBRARY_INSTANCE_H
#define PELTRIX_LIBRARY_INSTANCE_H

#include "cam_core.h"

namespace peltrix {

// Built at first use (loading the library runs nothing), over the imported
// serial library and the platform's file appends.
CamCore &libraryCore();

}  // namespace peltrix

#endif
