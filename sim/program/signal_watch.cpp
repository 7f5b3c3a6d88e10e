#include "signal_watch.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace pdrsim {

SignalWatch::SignalWatch(std::initializer_list<int> signals) {
    sigset_t watched;
    sigemptyset(&watched);
    for (int s : signals)
        sigaddset(&watched, s);
    if (sigprocmask(SIG_BLOCK, &watched, &previousMask_) != 0)
        throw std::system_error(errno, std::generic_category(), "sigprocmask");
    fd_ = platform::UniqueFd(signalfd(-1, &watched, SFD_CLOEXEC | SFD_NONBLOCK));
    if (!fd_) {
        const int error = errno;
        sigprocmask(SIG_SETMASK, &previousMask_, nullptr);
        throw std::system_error(error, std::generic_category(), "signalfd");
    }
}

SignalWatch::~SignalWatch() {
    // A signal that asked us to stop has been handled: take it off the
    // pending set, or restoring the mask would deliver it once more.
    consume();
    fd_.Reset();
    sigprocmask(SIG_SETMASK, &previousMask_, nullptr);
}

bool SignalWatch::raised() const {
    struct pollfd p = {fd_.Get(), POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

bool SignalWatch::consume() {
    bool any = false;
    struct signalfd_siginfo info;
    while (::read(fd_.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info))
        any = true;
    return any;
}

}  // namespace pdrsim
