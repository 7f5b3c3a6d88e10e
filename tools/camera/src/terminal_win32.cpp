#include "terminal.h"

#include <io.h>
#include <windows.h>

namespace pdrcam {

bool isTerminal(std::FILE *stream) {
    return _isatty(_fileno(stream)) != 0;
}

int terminalWidth() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info))
        return info.srWindow.Right - info.srWindow.Left + 1;
    return 80;
}

}  // namespace pdrcam
