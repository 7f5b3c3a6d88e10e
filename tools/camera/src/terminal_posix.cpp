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

bool readAnswerLine(std::string &answer) {
    answer.clear();
    for (;;) {
        char c;
        // A signal handler installed without SA_RESTART makes read() return
        // EINTR: the prompt ends with the interrupt.
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
