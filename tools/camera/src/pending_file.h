#pragma once
// A download's file under a temporary name in the target folder. It takes
// its final name only when complete (flushed, closed, renamed); if it is
// never committed, destruction closes and removes it, so no half-written
// picture ever carries a final name.

#include "file_system.h"

#include <memory>
#include <string>

namespace pdrcam {

class PendingFile {
public:
    // Creates the temporary file for `stem` in `folder`; nullptr and a reason
    // in `error` on failure.
    static std::unique_ptr<PendingFile> create(const std::string &folder, const std::string &stem,
                                               std::string &error);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // The handle the camera library appends to.
    NativeFile handle() const { return file_; }
    const std::string &temporaryPath() const { return temporaryPath_; }

    // Flushes and closes the file; after this its size and content can be read.
    bool finish(std::string &error);

    // Gives the finished file its final name in the same folder. Without
    // `replace`, an existing file of that name is kept and commit fails.
    bool commit(const std::string &finalName, bool replace, std::string &error);

private:
    PendingFile(std::string folder, std::string temporaryPath, NativeFile file)
        : folder_(std::move(folder)), temporaryPath_(std::move(temporaryPath)), file_(file) {}

    std::string folder_;
    std::string temporaryPath_;
    NativeFile file_;
    bool committed_ = false;
};

}  // namespace pdrcam
