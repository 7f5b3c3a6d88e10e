#include "console_progress.h"

namespace pdrcam {

ConsoleProgress::ConsoleProgress(Console &console, std::string label, uint64_t totalBytes)
    : console_(console), start_(std::chrono::steady_clock::now()) {
    state_.label = std::move(label);
    state_.total = totalBytes;
}

double ConsoleProgress::elapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

bool ConsoleProgress::onProgress(int percent) {
    state_.percent = percent;
    if (!console_.progressBar || console_.quiet)
        return true;
    if (console_.measureWidth)
        console_.width = console_.measureWidth();
    state_.seconds = elapsedSeconds();
    const std::string line = renderProgressLine(state_, console_.width);
    console_.out << '\r' << line;
    if (line.size() < drawnLength_)
        console_.out << std::string(drawnLength_ - line.size(), ' ');
    console_.out << std::flush;
    drawnLength_ = line.size();
    return true;
}

void ConsoleProgress::clear() {
    if (drawnLength_ == 0)
        return;
    console_.out << '\r' << std::string(drawnLength_, ' ') << '\r' << std::flush;
    drawnLength_ = 0;
}

}  // namespace pdrcam
