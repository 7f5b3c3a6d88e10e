#include "file_system.h"

#include "platform/win32_handles.h"

#include <windows.h>

#include <cstdio>

namespace pdrcam {

std::string lastSystemError() {
    const DWORD code = GetLastError();
    // The same words as on POSIX for the failure scripts look for.
    if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL)
        return "No space left on device";
    if (code == ERROR_DIRECTORY)
        return "Not a directory";
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 &&
           (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.'))
        text[--length] = '\0';
    return length > 0 ? std::string(text) : "system error " + std::to_string(code);
}

namespace {

std::string systemError(const std::string &what) {
    return what + ": " + lastSystemError();
}

HANDLE handleOf(NativeFile file) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file));
}

}  // namespace

NativeFile createNewFile(const std::string &path, std::string &error) {
    // The library writes with _lwrite, so the file is an HFILE; _lcreat would
    // truncate an existing file, so the existence check comes first.
    if (fileExists(path)) {
        error = path + ": file exists";
        return kNoFile;
    }
    HFILE file = _lcreat(path.c_str(), 0);
    if (file == HFILE_ERROR) {
        error = systemError(path);
        return kNoFile;
    }
    return static_cast<NativeFile>(file);
}

bool syncAndClose(NativeFile file, std::string &error) {
    bool ok = FlushFileBuffers(handleOf(file)) != 0;
    if (!ok)
        error = systemError("flush");
    if (_lclose(static_cast<HFILE>(file)) == HFILE_ERROR && ok) {
        error = systemError("close");
        ok = false;
    }
    return ok;
}

void closeQuietly(NativeFile file) {
    if (file != kNoFile)
        _lclose(static_cast<HFILE>(file));
}

bool renameFile(const std::string &from, const std::string &to, bool replace, std::string &error) {
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExA(from.c_str(), to.c_str(), flags))
        return true;
    error = systemError(to);
    return false;
}

bool removeFile(const std::string &path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool fileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeDirectory(const std::string &path, std::string &error) {
    if (CreateDirectoryA(path.c_str(), nullptr) || isDirectory(path))
        return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        SetLastError(ERROR_DIRECTORY);
    error = systemError(path);
    return false;
}

int64_t fileSize(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<uint8_t> readHead(const std::string &path, size_t count) {
    std::vector<uint8_t> bytes(count);
    const platform::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
    if (!file)
        return {};
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(count), &got, nullptr))
        got = 0;
    bytes.resize(got);
    return bytes;
}

std::string joinPath(const std::string &folder, const std::string &name) {
    if (folder.empty())
        return name;
    const char last = folder.back();
    if (last == '\\' || last == '/' || last == ':')
        return folder + name;
    return folder + "\\" + name;
}

long currentProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

bool processRuns(long processId) {
    const platform::UniqueKernel process(
        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

std::vector<std::string> folderEntries(const std::string &folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const platform::UniqueFind search(FindFirstFileA(joinPath(folder, "*").c_str(), &found));
    if (!search)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

}  // namespace pdrcam
