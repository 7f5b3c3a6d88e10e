#include "terminal.h"

#include <io.h>
#include <iostream>
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

bool readAnswerLine(std::string &answer) {
    answer.clear();
    return static_cast<bool>(std::getline(std::cin, answer));
}

void lineBufferStandardOutput() {
    // The C runtime of Windows treats _IOLBF as full buffering: write at once.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

}  // namespace pdrcam
