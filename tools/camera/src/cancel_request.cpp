#include "cancel_request.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace pdrcam {
namespace {

// Set from a signal handler (on Windows from the console's control thread):
// the number of the first signal, 0 while none came.
std::atomic<int> gSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "flag must be usable in a signal handler");

extern "C" void onInterrupt(int signalNumber) {
    int none = 0;
    gSignal.compare_exchange_strong(none, signalNumber);
    // The next one takes the default way out, in case the library is stuck
    // where the callback is not reached.
    std::signal(signalNumber, SIG_DFL);
}

#ifdef SIGHUP
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
#else
constexpr int kSignals[] = {SIGINT, SIGTERM};
#endif

}  // namespace

void installCancelHandler() {
    for (int signalNumber : kSignals) {
#ifdef SA_RESTART
        // Without SA_RESTART a read waiting at a prompt returns at once.
        struct sigaction action {};
        struct sigaction previous {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(signalNumber, nullptr, &previous);
        // A shell starts background jobs with interrupts ignored; keep it so.
        if (previous.sa_handler != SIG_IGN)
            sigaction(signalNumber, &action, nullptr);
#else
        if (std::signal(signalNumber, onInterrupt) == SIG_IGN)
            std::signal(signalNumber, SIG_IGN);
#endif
    }
}

bool cancelRequested() {
    return gSignal.load() != 0;
}

int cancelExitCode() {
    const int signalNumber = gSignal.load();
    return 128 + (signalNumber != 0 ? signalNumber : SIGINT);
}

void setCancelRequested(bool requested) {
    gSignal.store(requested ? SIGINT : 0);
}

}  // namespace pdrcam
