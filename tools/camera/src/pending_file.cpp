#include "pending_file.h"

#include "picture_names.h"

namespace pdrcam {

std::unique_ptr<PendingFile> PendingFile::create(const std::string &folder, const std::string &stem,
                                                 std::string &error) {
    const std::string path = joinPath(folder, temporaryName(stem, currentProcessId()));
    // A working file left behind by a killed run of this same process id is
    // ours to replace.
    removeFile(path);
    NativeFile file = createNewFile(path, error);
    if (file == kNoFile)
        return nullptr;
    return std::unique_ptr<PendingFile>(new PendingFile(folder, path, file));
}

PendingFile::~PendingFile() {
    if (committed_)
        return;
    closeQuietly(file_);
    removeFile(temporaryPath_);
}

bool PendingFile::finish(std::string &error) {
    if (file_ == kNoFile)
        return true;
    NativeFile file = file_;
    file_ = kNoFile;
    return syncAndClose(file, error);
}

bool PendingFile::commit(const std::string &finalName, bool replace, std::string &error) {
    if (!finish(error))
        return false;
    if (!renameFile(temporaryPath_, joinPath(folder_, finalName), replace, error))
        return false;
    committed_ = true;
    return true;
}

}  // namespace pdrcam
