#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>

#include <cerrno>
#include <system_error>

#include "line_speed.h"
#include "raw_terminal.h"

namespace pdrsim {

namespace {
[[noreturn]] void fail(const char *what) {
    throw std::system_error(errno, std::generic_category(), what);
}
}  // namespace

PseudoTerminal PseudoTerminal::create() {
    PseudoTerminal pty;
    pty.master_ = platform::UniqueFd(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (!pty.master_)
        fail("posix_openpt");
    if (grantpt(pty.master()) != 0)
        fail("grantpt");
    if (unlockpt(pty.master()) != 0)
        fail("unlockpt");
    char path[128];
    if (ptsname_r(pty.master(), path, sizeof path) != 0)
        fail("ptsname_r");
    pty.slavePath_ = path;
    pty.slave_ = platform::UniqueFd(::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!pty.slave_)
        fail("open pty slave");
    // Until the host sets its own mode, echo would send the camera's answers
    // straight back to it as commands.
    if (!makeRaw(pty.slave()))
        fail("raw mode on pty slave");
    if (!setLineSpeed(pty.slave(), 19200))
        fail("speed of pty slave");
    return pty;
}

}  // namespace pdrsim
