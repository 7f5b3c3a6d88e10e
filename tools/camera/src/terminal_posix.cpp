#include "terminal.h"

#include "cancel_request.h"

#include <poll.h>
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

bool readAnswerLine(std::string &answer) {
    answer.clear();
    for (;;) {
        // A signal handler installed without SA_RESTART makes poll() return
        // EINTR; one that came just before the wait began is seen within a
        // fifth of a second. Either way the prompt ends with the interrupt.
        if (cancelRequested())
            return false;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::poll(&input, 1, 200) == 0)
            continue;
        if (cancelRequested())
            return false;
        char c;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got <= 0)
            return got == 0 && !answer.empty();
        if (c == '\n')
            return true;
        answer += c;
    }
}

void lineBufferStandardOutput() {
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}

}  // namespace pdrcam
