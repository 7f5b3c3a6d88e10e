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

// The output folder made ready for the run: there, and without the working
// files of an earlier run that was killed; false when it cannot be used.
bool prepareOutputFolder(const std::string &outDir, Console &console) {
    std::string error;
    if (!makeDirectory(outDir, error)) {
        console.err << "pdrcam: cannot use the output folder: " << error << "\n";
        return false;
    }
    const int stale = PictureDownload::removeStaleWorkingFiles(outDir);
    if (stale > 0 && !console.quiet)
        console.err << "pdrcam: removed " << stale
                    << (stale == 1 ? " working file" : " working files")
                    << " of an interrupted earlier run\n";
    return true;
}

// The pictures to fetch, in the order asked for. A number the camera does
// not hold is reported and sets `status`, and the others are fetched anyway.
std::vector<int> selectPictures(const PictureSelection &selection, int count, Console &console,
                                int &status) {
    std::vector<int> pictures;
    if (selection.all) {
        for (int n = 1; n <= count; ++n)
            pictures.push_back(n);
        return pictures;
    }
    for (int n : selection.numbers) {
        if (n <= count) {
            pictures.push_back(n);
        } else {
            console.err << "pdrcam: there is no picture " << n << " (the camera holds " << count
                        << ")\n";
            status = kExitCameraError;
        }
    }
    return pictures;
}

// One get run over the chosen pictures: the files each picture gives, what
// the run fetched, skipped and erased so far, and the folder's record of
// what it has seen.
class GetRun {
public:
    GetRun(const CameraApi &api, const Options &options, Console &console, size_t pictures)
        : api_(api), options_(options), console_(console),
          download_(api, console, options.outDir, options.force), eraser_(api),
          record_(options.outDir), wantPictures_(!options.thumbnailsOnly),
          wantThumbnails_(options.thumbnails || options.thumbnailsOnly),
          files_(pictures * filesPerPicture()) {
        if (!options.namePattern.empty())
            download_.useNamePattern(options.namePattern, cameraModel(api), todaysDate());
    }

    // Fetches picture `n` (its number when the run began), then erases it
    // when asked to; false when the run must stop.
    bool fetch(int n) {
        const int now = eraser_.current(n);
        if (options_.onlyNew) {
            const Step step = checkNew(n, now);
            if (step != Step::Fetch)
                return step == Step::Next;
        }
        DownloadResult pictureResult = DownloadResult::Skipped;
        if (wantPictures_) {
            const DownloadOutcome outcome =
                download_.download(FileKind::Picture, now, position(), n);
            pictureResult = outcome.result;
            remember(outcome);
            if (!tally_.add(outcome, console_))
                return false;
        }
        if (wantThumbnails_ && !cancelRequested() &&
            !tally_.add(download_.download(FileKind::Thumbnail, now, position(), n), console_))
            return false;
        // Only a picture this run wrote and checked is erased; one skipped as
        // present was checked by name, size and content type alone.
        if (options_.eraseAfter && pictureResult == DownloadResult::Written && !cancelRequested())
            return eraseAfterDownload(n);
        return true;
    }

    // The run's exit status, `selectionStatus` when nothing worse happened.
    int status(int selectionStatus) {
        if (cancelRequested() && tally_.status == kExitOk)
            tally_.status = cancelExitCode();
        return tally_.status != kExitOk ? tally_.status : selectionStatus;
    }

    // "3 written, 1 skipped, 0 failed; ..." and, with --erase-after, how many
    // pictures went from the camera.
    void printSummary(size_t pictures, size_t tried) const {
        std::ostream &out = console_.out;
        out << tally_.written << " written, " << tally_.skipped << " skipped, " << tally_.failed
            << " failed";
        if (tried < pictures)
            out << ", " << pictures - tried << " not tried";
        out << "; " << tally_.bytes << " bytes in " << std::fixed;
        out.precision(1);
        out << tally_.seconds << " s (" << formatRate(transferRate(tally_.bytes, tally_.seconds))
            << ")\n";
        out.unsetf(std::ios::fixed);
        if (options_.eraseAfter)
            out << eraser_.erased() << (eraser_.erased() == 1 ? " picture" : " pictures")
                << " erased from the camera\n";
    }

private:
    // What the --new check makes of a picture.
    enum class Step { Fetch, Next, Stop };

    size_t filesPerPicture() const { return (wantPictures_ ? 1 : 0) + (wantThumbnails_ ? 1 : 0); }

    std::string position() {
        return "(file " + std::to_string(++fileNumber_) + " of " + std::to_string(files_) + ")";
    }

    // --new: picture `now` (listed as `n`) is fetched unless the folder's
    // record knows it. A picture that cannot be compared counts as failed.
    Step checkNew(int n, int now) {
        int code = CAM_OK;
        const std::string key = DownloadRecord::fetchKey(api_, options_.outDir, now, code);
        if (key.empty()) {
            DownloadOutcome failed;
            failed.cameraCode = code;
            failed.result =
                code == CAM_ERR_WRITE ? DownloadResult::FileError : DownloadResult::Failed;
            console_.err << "pdrcam: picture " << n
                         << ": cannot tell whether it is new: " << cameraErrorText(code)
                         << " (code " << code << ")\n";
            return tally_.add(failed, console_) ? Step::Next : Step::Stop;
        }
        if (!record_.contains(key))
            return Step::Fetch;
        if (!console_.quiet)
            console_.out << "picture " << n << " was downloaded before, skipped\n";
        DownloadOutcome skipped;
        skipped.result = DownloadResult::Skipped;
        tally_.add(skipped, console_);
        // Its files keep their places in the count, as if fetched.
        fileNumber_ += filesPerPicture();
        return Step::Next;
    }

    // A picture now in the folder, written or found there, goes into the
    // record for later --new runs.
    void remember(const DownloadOutcome &outcome) {
        if (outcome.result == DownloadResult::Written || outcome.result == DownloadResult::Skipped)
            record_.add(DownloadRecord::fileKey(joinPath(options_.outDir, outcome.fileName)),
                        outcome.fileName);
    }

    // --erase-after; false when the erase failed, which stops the run.
    bool eraseAfterDownload(int n) {
        const int code = eraser_.erase(n);
        if (code == CAM_OK)
            return true;
        console_.err << "pdrcam: erasing picture " << n
                     << " after its download: " << cameraErrorText(code) << " (code " << code
                     << ")\n";
        tally_.status = exitCodeForCamera(code);
        return false;
    }

    const CameraApi &api_;
    const Options &options_;
    Console &console_;
    PictureDownload download_;
    PictureEraser eraser_;
    DownloadRecord record_;
    Tally tally_;
    const bool wantPictures_;
    const bool wantThumbnails_;
    const size_t files_;
    size_t fileNumber_ = 0;
};

}  // namespace

int runGet(const CameraApi &api, const Options &options, Console &console) {
    if (!prepareOutputFolder(options.outDir, console))
        return kExitFileError;
    const int count = api.Cam_get_picture_count();
    if (count < 0)
        return reportCameraError(console, "reading the picture directory", api.Cam_error());

    int selectionStatus = kExitOk;
    const std::vector<int> pictures =
        selectPictures(options.selection, count, console, selectionStatus);
    if (pictures.empty() && count == 0 && !console.quiet)
        console.out << "The camera holds no pictures.\n";

    GetRun run(api, options, console, pictures.size());
    size_t tried = 0;
    for (int n : pictures) {
        if (cancelRequested())
            break;
        ++tried;
        if (!run.fetch(n))
            break;
    }
    const int status = run.status(selectionStatus);
    if (console.quiet)
        return status;
    run.printSummary(pictures.size(), tried);
    if (cancelRequested())
        console.err << "pdrcam: cancelled\n";
    return status;
}

}  // namespace pdrcam
