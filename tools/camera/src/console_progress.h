#pragma once
// The live progress bar of one transfer, fed by the library's callback. It
// draws only when the console is a terminal and clears itself when done.

#include "console.h"
#include "progress_callback.h"
#include "transfer_progress.h"

#include <chrono>

namespace pdrcam {

class ConsoleProgress : public ProgressReceiver {
public:
    ConsoleProgress(Console &console, std::string label, uint64_t totalBytes);
    ~ConsoleProgress() override { clear(); }

    bool onProgress(int percent) override;
    // Removes the bar from the line, so the next message starts clean.
    void clear();
    double elapsedSeconds() const;
    int lastPercent() const { return state_.percent; }

private:
    Console &console_;
    ProgressState state_;
    std::chrono::steady_clock::time_point start_;
    size_t drawnLength_ = 0;
};

}  // namespace pdrcam
