#pragma once
// Downloads one picture or thumbnail into a folder: skips what is there
// already (a file of the picture's name, size and kind of content), writes to
// a temporary file, checks the result and only then gives it its final name.
// A different file under the picture's name is never replaced without
// --force: the download takes the next free name instead (PIC00005-2.JPG).

#include "camera_api.h"
#include "console.h"
#include "picture_names.h"

#include <cstdint>
#include <string>

namespace pdrcam {

class PendingFile;

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

    // Names files by a checked --filename pattern instead of PIC00001.
    void useNamePattern(std::string pattern, std::string model, std::string date) {
        pattern_ = std::move(pattern);
        model_ = std::move(model);
        date_ = std::move(date);
    }

    // Picture `picture` as the library numbers it now; the file is named for
    // `nameNumber` (the number it had when the run began; 0: `picture`).
    // `position` ("(file 3 of 10)") goes into the progress line.
    DownloadOutcome download(FileKind kind, int picture, const std::string &position = {},
                             int nameNumber = 0);

    // Removes the working files that runs which no longer run left in
    // `folder` (a killed program cannot clean up); the number removed.
    static int removeStaleWorkingFiles(const std::string &folder);

private:
    // One file to fetch: what it is, its names, the size the camera gives.
    struct Job;

    Job describe(FileKind kind, int picture, int nameNumber) const;

    // The stem to write under, or empty with `skipped` naming the file that
    // holds the picture already.
    std::string chooseStem(FileKind kind, const std::string &stem, int32_t expected,
                           std::string &skipped) const;

    // The stem to write `job` under; empty when there is none, with
    // `outcome` saying why (skipped as present, or no free name).
    std::string claimName(const Job &job, DownloadOutcome &outcome) const;

    // Has the library write `job` into `file`; false, with `outcome` saying
    // why, when nothing worth keeping came.
    bool fetchInto(const Job &job, PendingFile &file, const std::string &title,
                   DownloadOutcome &outcome) const;

    // The result of a fetch the library did not complete, reported.
    DownloadResult reportFetchFailure(const Job &job, int code, const PendingFile &file,
                                      const std::string &writeError) const;

    // Whether `written` bytes are the whole file; a shortfall is reported.
    bool receivedWhole(const Job &job, int64_t written) const;

    // Closes the fetched file and gives it its final name under `stem`,
    // with the extension its content calls for.
    void keepFile(const Job &job, PendingFile &file, const std::string &stem,
                  DownloadOutcome &outcome) const;

    const CameraApi &api_;
    Console &console_;
    std::string folder_;
    bool replace_;
    std::string pattern_, model_, date_;
};

}  // namespace pdrcam
