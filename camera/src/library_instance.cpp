#include "library_instance.h"

#include "comm32_serial_line.h"

namespace peltrix {

CamCore &libraryCore() {
    static Comm32SerialLine line;
    static CamCore core(line, platformFileSink());
    return core;
}

} // namespace peltrix
