#include "file_system.h"

#include "platform/unique_fd.h"
#include "platform/unique_handle.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdrcam {
namespace {

std::string systemError(const char *what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// An open directory stream in the tree's one handle owner.
struct DirTraits {
    using Handle = DIR *;
    static DIR *Invalid() noexcept { return nullptr; }
    static void Close(DIR *dir) noexcept { ::closedir(dir); }
};
using UniqueDir = platform::UniqueHandle<DirTraits>;

}  // namespace

NativeFile createNewFile(const std::string &path, std::string &error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        error = systemError(path.c_str());
    return fd;
}

bool syncAndClose(NativeFile file, std::string &error) {
    bool ok = true;
    if (::fsync(file) != 0) {
        error = systemError("fsync");
        ok = false;
    }
    if (::close(file) != 0 && ok) {
        error = systemError("close");
        ok = false;
    }
    return ok;
}

void closeQuietly(NativeFile file) {
    if (file >= 0)
        ::close(file);
}

bool renameFile(const std::string &from, const std::string &to, bool replace, std::string &error) {
    if (replace) {
        if (::rename(from.c_str(), to.c_str()) == 0)
            return true;
        error = systemError(to.c_str());
        return false;
    }
    // link() fails when the target exists, so an existing file is never lost.
    if (::link(from.c_str(), to.c_str()) != 0) {
        error = systemError(to.c_str());
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

bool removeFile(const std::string &path) {
    return ::unlink(path.c_str()) == 0;
}

bool fileExists(const std::string &path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool isDirectory(const std::string &path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool makeDirectory(const std::string &path, std::string &error) {
    if (::mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && isDirectory(path)))
        return true;
    if (errno == EEXIST)
        errno = ENOTDIR;
    error = systemError(path.c_str());
    return false;
}

int64_t fileSize(const std::string &path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.st_size);
}

std::vector<uint8_t> readHead(const std::string &path, size_t count) {
    std::vector<uint8_t> bytes(count);
    const platform::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        return {};
    const ssize_t got = ::read(fd.Get(), bytes.data(), count);
    bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return bytes;
}

std::string joinPath(const std::string &folder, const std::string &name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

long currentProcessId() {
    return static_cast<long>(::getpid());
}

bool processRuns(long processId) {
    return processId > 0 && (::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH);
}

std::vector<std::string> folderEntries(const std::string &folder) {
    std::vector<std::string> names;
    const UniqueDir dir(::opendir(folder.c_str()));
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir.Get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    return names;
}

std::string lastSystemError() {
    return std::strerror(errno);
}

}  // namespace pdrcam
