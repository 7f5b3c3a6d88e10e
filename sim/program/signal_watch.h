// Turns signals into a readable file descriptor, so the program's poll loop
// (and its paced writes) notice them between system calls instead of in a
// handler. The previous signal mask comes back on destruction.
#pragma once

#include <signal.h>

#include <initializer_list>

#include "platform/unique_fd.h"

namespace pdrsim {

class SignalWatch {
public:
    explicit SignalWatch(std::initializer_list<int> signals);  // throws std::system_error
    ~SignalWatch();
    SignalWatch(const SignalWatch &) = delete;
    SignalWatch &operator=(const SignalWatch &) = delete;

    int fd() const { return fd_.Get(); }
    // True once a watched signal is pending (does not consume it).
    bool raised() const;
    // Takes every pending watched signal; true if there was one.
    bool consume();

private:
    sigset_t previousMask_;
    platform::UniqueFd fd_;
};

}  // namespace pdrsim
