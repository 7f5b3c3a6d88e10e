#include "pdrcam_process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pdrcam_test {
namespace {

using Clock = std::chrono::steady_clock;

bool drain(int fd, std::string &into) {
    char buffer[4096];
    const ssize_t got = fd >= 0 ? ::read(fd, buffer, sizeof buffer) : -1;
    if (got <= 0)
        return false;
    into.append(buffer, static_cast<size_t>(got));
    return true;
}

}  // namespace

bool eventually(double seconds, const std::function<bool()> &condition) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

PdrcamProcess::PdrcamProcess(const std::vector<std::string> &command,
                             const std::vector<std::string> &environment) {
    int output[2];
    if (::pipe(output) != 0)
        return;
    int terminal = -1;
    // The child gets a terminal of its own as its controlling terminal.
    pid_ = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        for (const std::string &assignment : environment)
            ::putenv(const_cast<char *>(assignment.c_str()));
        // The test runner may ignore these; pdrcam must start as from a shell.
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            std::signal(s, SIG_DFL);
        std::vector<char *> argv;
        for (const std::string &arg : command)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(output[1]);
    outputFd_ = output[0];
    terminalFd_ = terminal;
    ::fcntl(outputFd_, F_SETFL, O_NONBLOCK);
    if (terminalFd_ >= 0)
        ::fcntl(terminalFd_, F_SETFL, O_NONBLOCK);
}

PdrcamProcess::~PdrcamProcess() {
    if (pid_ > 0 && status_ == -1) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (terminalFd_ >= 0)
        ::close(terminalFd_);
    if (outputFd_ >= 0)
        ::close(outputFd_);
}

void PdrcamProcess::pump(double seconds) {
    pollfd fds[2] = {{terminalFd_, POLLIN, 0}, {outputFd_, POLLIN, 0}};
    if (::poll(fds, 2, static_cast<int>(seconds * 1000)) <= 0)
        return;
    while (drain(terminalFd_, terminal_)) {
    }
    while (drain(outputFd_, output_)) {
    }
}

bool PdrcamProcess::waitForTerminal(const std::string &text, double seconds) {
    return eventually(seconds, [&] {
        pump(0.02);
        return terminal_.find(text) != std::string::npos;
    });
}

bool PdrcamProcess::waitForOutput(const std::string &text, double seconds) {
    return eventually(seconds, [&] {
        pump(0.02);
        return output_.find(text) != std::string::npos;
    });
}

void PdrcamProcess::type(const std::string &keys) {
    if (terminalFd_ >= 0 && ::write(terminalFd_, keys.data(), keys.size()) < 0)
        return;
}

void PdrcamProcess::signal(int signalNumber) {
    if (pid_ > 0 && status_ == -1)
        ::kill(pid_, signalNumber);
}

bool PdrcamProcess::running() {
    if (pid_ <= 0 || status_ != -1)
        return false;
    int raw = 0;
    if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
        return false;
    }
    return true;
}

int PdrcamProcess::wait(double seconds) {
    const bool ended = eventually(seconds, [&] {
        pump(0.01);
        return !running();
    });
    pump(0);
    if (!ended) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        status_ = -2;
        return -1;
    }
    return status_;
}

}  // namespace pdrcam_test
