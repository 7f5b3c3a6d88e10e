#pragma once
// pdrcam run as a separate process, as a user or a script runs it: standard
// output into a pipe, standard input and error on a pseudo-terminal (the
// user's terminal, which also turns a typed Ctrl-C into SIGINT), real signals
// and the real exit status. Killed and reaped when the object goes.

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace pdrcam_test {

class PdrcamProcess {
public:
    // Runs `command` (argv[0] a path) with `environment` added ("NAME=value").
    explicit PdrcamProcess(const std::vector<std::string> &command,
                           const std::vector<std::string> &environment = {});
    ~PdrcamProcess();
    PdrcamProcess(const PdrcamProcess &) = delete;
    PdrcamProcess &operator=(const PdrcamProcess &) = delete;

    pid_t pid() const { return pid_; }
    // Waits up to `seconds` for `text` on the terminal / on standard output.
    bool waitForTerminal(const std::string &text, double seconds = 20);
    bool waitForOutput(const std::string &text, double seconds = 20);
    // Types on the terminal (a Ctrl-C is "\x03").
    void type(const std::string &keys);
    void signal(int signalNumber);
    // Whether the process still runs.
    bool running();
    // The exit status, 128 + the signal's number when a signal ended it;
    // -1 when it did not end within `seconds` (then it is killed).
    int wait(double seconds = 60);

    const std::string &terminal() const { return terminal_; }
    const std::string &output() const { return output_; }

private:
    void pump(double seconds);

    pid_t pid_ = -1;
    int terminalFd_ = -1;
    int outputFd_ = -1;
    int status_ = -1;
    std::string terminal_;
    std::string output_;
};

// Polls `condition` every 20 ms for up to `seconds`.
bool eventually(double seconds, const std::function<bool()> &condition);

}  // namespace pdrcam_test
