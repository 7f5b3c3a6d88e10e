#include "cancel_request.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace pdrcam {
namespace {

// Set from a signal handler (on Windows from the console's control thread).
std::atomic<bool> gCancelRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "flag must be usable in a signal handler");

extern "C" void onInterrupt(int signalNumber) {
    gCancelRequested.store(true);
    // The next interrupt takes the default way out, in case the library is
    // stuck where the callback is not reached.
    std::signal(signalNumber, SIG_DFL);
}

}  // namespace

void installCancelHandler() {
    for (int signalNumber : {SIGINT, SIGTERM}) {
        // A shell starts background jobs with interrupts ignored; keep it so.
        if (std::signal(signalNumber, onInterrupt) == SIG_IGN)
            std::signal(signalNumber, SIG_IGN);
    }
}

bool cancelRequested() {
    return gCancelRequested.load();
}

void setCancelRequested(bool requested) {
    gCancelRequested.store(requested);
}

}  // namespace pdrcam
