#include "library_instance.h"

#include "comm32_port_library.h"

namespace peltrix {

CamCore &libraryCore() {
    static Comm32PortLibrary line;
    static CamCore core(line, platformFileSink());
    return core;
}

}  // namespace peltrix
