#include "commands.h"

#include "cancel_request.h"
#include "exit_codes.h"
#include "file_system.h"
#include "picture_download.h"
#include "picture_eraser.h"
#include "download_record.h"
#include "error_text.h"
#include "transfer_progress.h"

#include <chrono>
#include <ctime>
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
            if (!console.quiet)
                console.out << renderDoneLine(outcome.fileName, outcome.bytes, outcome.seconds)
                            << "\n";
            return true;
        case DownloadResult::Skipped:
            ++skipped;
            return true;
        case DownloadResult::Cancelled:
            status = cancelExitCode();
            return false;
        case DownloadResult::FileError:
            // A full disk or an unwritable folder fails every later file too:
            // nothing more is fetched over the line.
            ++failed;
            status = kExitFileError;
            return false;
        case DownloadResult::Failed:
            ++failed;
            // Without a camera to talk to, the other pictures would fail too.
            if (cameraGone(outcome.cameraCode)) {
                status = kExitNoCamera;
                return false;
            }
            // The numbers of the pictures still to come may name others now:
            // nothing more is fetched or erased by them.
            if (picturesChanged(outcome.cameraCode)) {
                status = kExitPicturesChanged;
                return false;
            }
            if (status == kExitOk)
                status = exitCodeForCamera(outcome.cameraCode);
            if (status == kExitOk)
                status = kExitCameraError;
            return true;
        }
        return false;
    }
};

std::string cameraModel(const CameraApi &api) {
    std::vector<char> text(CAM_TEXT_CAPACITY, '\0');
    api.Cam_get_cam_type(text.data());
    return text.data();
}

std::string todaysDate() {
    const std::time_t now = std::time(nullptr);
    char text[16] = "";
    std::strftime(text, sizeof text, "%Y%m%d", std::localtime(&now));
    return text;
}

}  // namespace

int runGet(const CameraApi &api, const Options &options, Console &console) {
    std::string error;
    if (!makeDirectory(options.outDir, error)) {
        console.err << "pdrcam: cannot use the output folder: " << error << "\n";
        return kExitFileError;
    }
    const int stale = PictureDownload::removeStaleWorkingFiles(options.outDir);
    if (stale > 0 && !console.quiet)
        console.err << "pdrcam: removed " << stale
                    << (stale == 1 ? " working file" : " working files")
                    << " of an interrupted earlier run\n";
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
                console.err << "pdrcam: there is no picture " << n << " (the camera holds " << count
                            << ")\n";
                status = kExitCameraError;
            }
        }
    }
    if (pictures.empty() && count == 0 && !console.quiet)
        console.out << "The camera holds no pictures.\n";

    PictureDownload download(api, console, options.outDir, options.force);
    if (!options.namePattern.empty())
        download.useNamePattern(options.namePattern, cameraModel(api), todaysDate());
    const bool wantPictures = !options.thumbnailsOnly;
    const bool wantThumbnails = options.thumbnails || options.thumbnailsOnly;
    const size_t files = pictures.size() * ((wantPictures ? 1 : 0) + (wantThumbnails ? 1 : 0));
    size_t fileNumber = 0, tried = 0;
    const auto position = [&] {
        return "(file " + std::to_string(++fileNumber) + " of " + std::to_string(files) + ")";
    };
    PictureEraser eraser(api);
    DownloadRecord record(options.outDir);
    Tally tally;
    bool goOn = true;
    for (int n : pictures) {
        if (!goOn || cancelRequested())
            break;
        ++tried;
        const int now = eraser.current(n);
        if (options.onlyNew) {
            int code = CAM_OK;
            const std::string key = DownloadRecord::fetchKey(api, options.outDir, now, code);
            if (key.empty()) {
                DownloadOutcome failed;
                failed.cameraCode = code;
                failed.result =
                    code == CAM_ERR_WRITE ? DownloadResult::FileError : DownloadResult::Failed;
                console.err << "pdrcam: picture " << n
                            << ": cannot tell whether it is new: " << cameraErrorText(code)
                            << " (code " << code << ")\n";
                goOn = tally.add(failed, console);
                continue;
            }
            if (record.contains(key)) {
                if (!console.quiet)
                    console.out << "picture " << n << " was downloaded before, skipped\n";
                DownloadOutcome skipped;
                skipped.result = DownloadResult::Skipped;
                tally.add(skipped, console);
                fileNumber += (wantPictures ? 1 : 0) + (wantThumbnails ? 1 : 0);
                continue;
            }
        }
        DownloadResult pictureResult = DownloadResult::Skipped;
        if (wantPictures) {
            const DownloadOutcome outcome =
                download.download(FileKind::Picture, now, position(), n);
            pictureResult = outcome.result;
            if (outcome.result == DownloadResult::Written ||
                outcome.result == DownloadResult::Skipped)
                record.add(DownloadRecord::fileKey(joinPath(options.outDir, outcome.fileName)),
                           outcome.fileName);
            goOn = tally.add(outcome, console);
        }
        if (goOn && wantThumbnails && !cancelRequested())
            goOn = tally.add(download.download(FileKind::Thumbnail, now, position(), n), console);
        // Only a picture this run wrote and checked is erased; one skipped as
        // present was checked by name, size and content type alone.
        if (goOn && options.eraseAfter && pictureResult == DownloadResult::Written &&
            !cancelRequested()) {
            const int code = eraser.erase(n);
            if (code != CAM_OK) {
                console.err << "pdrcam: erasing picture " << n
                            << " after its download: " << cameraErrorText(code) << " (code " << code
                            << ")\n";
                tally.status = exitCodeForCamera(code);
                goOn = false;
            }
        }
    }
    if (cancelRequested() && tally.status == kExitOk)
        tally.status = cancelExitCode();

    if (console.quiet)
        return tally.status != kExitOk ? tally.status : status;
    console.out << tally.written << " written, " << tally.skipped << " skipped, " << tally.failed
                << " failed";
    if (tried < pictures.size())
        console.out << ", " << pictures.size() - tried << " not tried";
    console.out << "; " << tally.bytes << " bytes in " << std::fixed;
    console.out.precision(1);
    console.out << tally.seconds << " s (" << formatRate(transferRate(tally.bytes, tally.seconds))
                << ")\n";
    console.out.unsetf(std::ios::fixed);
    if (options.eraseAfter)
        console.out << eraser.erased() << (eraser.erased() == 1 ? " picture" : " pictures")
                    << " erased from the camera\n";
    if (cancelRequested())
        console.err << "pdrcam: cancelled\n";
    return tally.status != kExitOk ? tally.status : status;
}

}  // namespace pdrcam
