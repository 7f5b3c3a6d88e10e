#pragma once
// The few file operations the download needs, over the platform's own calls.
// Files handed to the camera library are written by it directly: on POSIX a
// descriptor it appends to with write(), on Windows an HFILE it uses with
// _lwrite. Both fit in 32 bits.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pdrcam {

using NativeFile = int32_t;
constexpr NativeFile kNoFile = -1;

// Creates `path` for writing; fails when it exists already.
NativeFile createNewFile(const std::string &path, std::string &error);
// Flushes the file to the disk and closes it; false with a reason on failure.
bool syncAndClose(NativeFile file, std::string &error);
void closeQuietly(NativeFile file);
// Moves `from` to `to`, replacing `to` when `replace` is set.
bool renameFile(const std::string &from, const std::string &to, bool replace, std::string &error);
bool removeFile(const std::string &path);
bool fileExists(const std::string &path);
bool isDirectory(const std::string &path);
bool makeDirectory(const std::string &path, std::string &error);
// Size in bytes, or -1.
int64_t fileSize(const std::string &path);
// Up to `count` bytes from the start of the file.
std::vector<uint8_t> readHead(const std::string &path, size_t count);
std::string joinPath(const std::string &folder, const std::string &name);
long currentProcessId();
// False only when no process of that id runs any more.
bool processRuns(long processId);
// The names in `folder` (no "." or ".."), empty when it cannot be read.
std::vector<std::string> folderEntries(const std::string &folder);
// The platform's reason for the write that failed last on this thread, as a
// sentence ("No space left on device"); read it straight after the failure.
std::string lastSystemError();

}  // namespace pdrcam
