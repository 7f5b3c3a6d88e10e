#include "commands.h"

#include "cancel_request.h"
#include "exit_codes.h"
#include "file_system.h"
#include "picture_download.h"
#include "transfer_progress.h"

#include <chrono>
#include <vector>

namespace pdrcam {
namespace {

struct Tally {
    int written = 0, skipped = 0, failed = 0;
    uint64_t bytes = 0;
    double seconds = 0;
    int status = kExitOk;

    // Records one outcome; false when the run must stop.
    bool add(const DownloadOutcome &outcome, Console &console) {
        switch (outcome.result) {
        case DownloadResult::Written:
            ++written;
            bytes += outcome.bytes;
            seconds += outcome.seconds;
            console.out << renderDoneLine(outcome.fileName, outcome.bytes, outcome.seconds) << "\n";
            return true;
        case DownloadResult::Skipped:
            ++skipped;
            return true;
        case DownloadResult::Cancelled:
            status = kExitCancelled;
            return false;
        case DownloadResult::FileError:
            ++failed;
            status = kExitFileError;
            return false;
        case DownloadResult::Failed:
            ++failed;
            if (status == kExitOk)
                status = exitCodeForCamera(outcome.cameraCode);
            if (status == kExitOk)
                status = kExitCameraError;
            // Without a camera to talk to, the other pictures would fail too.
            return status != kExitNoCamera;
        }
        return false;
    }
};

}  // namespace

int runGet(const CameraApi &api, const Options &options, Console &console) {
    std::string error;
    if (!makeDirectory(options.outDir, error)) {
        console.err << "cannot use the output folder: " << error << "\n";
        return kExitFileError;
    }
    const int count = api.Cam_get_picture_count();
    if (count < 0)
        return reportCameraError(console, "reading the picture directory", api.Cam_error());

    std::vector<int> pictures;
    int status = kExitOk;
    if (options.selection.all) {
        for (int n = 1; n <= count; ++n)
            pictures.push_back(n);
    } else {
        for (int n : options.selection.numbers) {
            if (n <= count) {
                pictures.push_back(n);
            } else {
                console.err << "there is no picture " << n << " (the camera holds " << count
                            << ")\n";
                status = kExitCameraError;
            }
        }
    }
    if (pictures.empty() && count == 0)
        console.out << "The camera holds no pictures.\n";

    PictureDownload download(api, console, options.outDir, options.force);
    Tally tally;
    bool goOn = true;
    for (int n : pictures) {
        if (!goOn || cancelRequested())
            break;
        goOn = tally.add(download.download(FileKind::Picture, n), console);
        if (goOn && options.thumbnails && !cancelRequested())
            goOn = tally.add(download.download(FileKind::Thumbnail, n), console);
    }
    if (cancelRequested() && tally.status == kExitOk)
        tally.status = kExitCancelled;

    console.out << tally.written << " written, " << tally.skipped << " skipped, " << tally.failed
                << " failed; " << tally.bytes << " bytes in " << std::fixed;
    console.out.precision(1);
    console.out << tally.seconds << " s (" << formatRate(transferRate(tally.bytes, tally.seconds))
                << ")\n";
    console.out.unsetf(std::ios::fixed);
    if (tally.status == kExitCancelled)
        console.err << "Cancelled.\n";
    return tally.status != kExitOk ? tally.status : status;
}

}  // namespace pdrcam
