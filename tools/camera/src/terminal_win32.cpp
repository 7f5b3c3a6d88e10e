#include "terminal.h"

#include "cancel_request.h"
#include "platform/win32_handles.h"

#include <io.h>
#include <memory>
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

namespace {

// One answer line read by a thread of its own. The console's control
// handler runs on yet another thread and cannot break a blocked read, so the
// asking thread waits for either the line or the interrupt; on an interrupt
// it goes on and the reader stays blocked until the process ends. The reader
// uses the handle, not the C runtime's stdin: a runtime stream lock held by a
// blocked read would hang the runtime's flush at exit.
struct AnswerRead {
    std::string text;
    bool complete = false;
};

DWORD WINAPI readAnswer(void *parameter) {
    std::unique_ptr<std::shared_ptr<AnswerRead>> owner(
        static_cast<std::shared_ptr<AnswerRead> *>(parameter));
    AnswerRead &read = **owner;
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
        char c;
        DWORD got = 0;
        if (!ReadFile(input, &c, 1, &got, nullptr) || got == 0) {
            // End of input: a last line without its end still counts.
            read.complete = !read.text.empty();
            return 0;
        }
        if (c == '\n') {
            read.complete = true;
            return 0;
        }
        if (c != '\r')
            read.text += c;
    }
}

}  // namespace

bool readAnswerLine(std::string &answer) {
    answer.clear();
    if (cancelRequested())
        return false;
    auto read = std::make_shared<AnswerRead>();
    auto *handOver = new std::shared_ptr<AnswerRead>(read);
    // Closing the handle leaves the thread running: an interrupted reader
    // stays blocked until the process ends.
    const platform::UniqueKernel thread(CreateThread(nullptr, 0, readAnswer, handOver, 0, nullptr));
    if (!thread) {
        delete handOver;
        return false;
    }
    for (;;) {
        if (WaitForSingleObject(thread.Get(), 200) == WAIT_OBJECT_0) {
            // Windows ends a console read interrupted by Ctrl-C as if the
            // input had ended, before the control handler has run: give the
            // handler a moment, so that the run ends as interrupted.
            for (int wait = 0; !read->complete && wait < 5 && !cancelRequested(); ++wait)
                Sleep(50);
            if (cancelRequested())
                return false;
            answer = read->text;
            return read->complete;
        }
        if (cancelRequested())
            return false;
    }
}

void lineBufferStandardOutput() {
    // The C runtime of Windows treats _IOLBF as full buffering: write at once.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

}  // namespace pdrcam
