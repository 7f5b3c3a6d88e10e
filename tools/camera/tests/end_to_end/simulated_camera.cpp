#include "simulated_camera.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>

namespace fs = std::filesystem;

namespace pdrcam_test {
namespace {

std::vector<std::string> exportedFiles(const std::string &folder, bool thumbnails) {
    std::vector<std::string> files;
    std::error_code ignored;
    for (const auto &entry : fs::directory_iterator(folder, ignored)) {
        const std::string name = entry.path().filename().string();
        const bool isThumbnail = name.find("_thumb") != std::string::npos;
        if (isThumbnail == thumbnails)
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());  // names begin with the host's picture number
    return files;
}

}  // namespace

SimulatedCamera::SimulatedCamera(const std::string &exportDir,
                                 const std::vector<std::string> &extraArgs)
    : exportDir_(exportDir), logPath_(exportDir + ".log") {
    int output[2];
    if (pipe(output) != 0)
        return;
    std::vector<std::string> args{PDR_SIM_PATH, "--verbose", "--export", exportDir};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    pid_ = fork();
    if (pid_ == 0) {
        dup2(output[1], STDOUT_FILENO);
        int log = open(logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0)
            dup2(log, STDERR_FILENO);
        close(output[0]);
        std::vector<char *> argv;
        for (auto &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    // The first line on stdout is the pseudo-terminal's path.
    std::string line;
    pollfd waitFor{output[0], POLLIN, 0};
    while (pid_ > 0 && poll(&waitFor, 1, 10000) > 0) {
        char c;
        if (read(output[0], &c, 1) != 1)
            break;
        if (c == '\n') {
            ptyPath_ = line;
            break;
        }
        line += c;
    }
    stdout_ = output[0];
}

void SimulatedCamera::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
}

void SimulatedCamera::signal(int signalNumber) {
    if (pid_ > 0)
        kill(pid_, signalNumber);
}

SimulatedCamera::~SimulatedCamera() {
    stop();
    if (stdout_ >= 0)
        close(stdout_);
    std::error_code ignored;
    fs::remove(logPath_, ignored);
}

std::string SimulatedCamera::log() const {
    std::ifstream in(logPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SimulatedCamera::exportedPictures() const {
    return exportedFiles(exportDir_, false);
}
std::vector<std::string> SimulatedCamera::exportedThumbnails() const {
    return exportedFiles(exportDir_, true);
}

}  // namespace pdrcam_test
