#include "terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace pdrcam {

bool isTerminal(std::FILE *stream) {
    return ::isatty(::fileno(stream)) != 0;
}

int terminalWidth() {
    struct winsize size;
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

}  // namespace pdrcam
