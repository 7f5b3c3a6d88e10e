// Downloads one picture or thumbnail into a folder: skips what is there
// already, writes to a temporary file, checks the result and only then gives
// it its final name.
#pragma once

#include "camera_api.h"
#include "console.h"
#include "picture_names.h"

#include <cstdint>
#include <string>

namespace pdrcam {

enum class DownloadResult { Written, Skipped, Failed, FileError, Cancelled };

struct DownloadOutcome {
    DownloadResult result = DownloadResult::Failed;
    int cameraCode = 0;    // the library's code when it failed
    std::string fileName;  // final name when written or skipped
    uint64_t bytes = 0;    // bytes written
    double seconds = 0;    // time the library took
};

class PictureDownload {
public:
    PictureDownload(const CameraApi &api, Console &console, std::string folder, bool replace)
        : api_(api), console_(console), folder_(std::move(folder)), replace_(replace) {}

    DownloadOutcome download(FileKind kind, int picture);

private:
    // The final name of an earlier download of `stem`, or empty.
    std::string existingFile(const std::string &stem) const;

    const CameraApi &api_;
    Console &console_;
    std::string folder_;
    bool replace_;
};

}  // namespace pdrcam
