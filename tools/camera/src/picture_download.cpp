#include "picture_download.h"

#include "cancel_request.h"
#include "console_progress.h"
#include "error_text.h"
#include "file_system.h"
#include "pending_file.h"

namespace pdrcam {
namespace {

// PIC00005.JPG up to PIC00005-99.JPG, before the download gives up.
constexpr int kMaxAlternatives = 99;

// The final name of an earlier download of `stem` (any extension), or empty.
std::string existingFile(const std::string &folder, const std::string &stem) {
    for (const std::string &extension : knownExtensions()) {
        const std::string name = fileName(stem, extension);
        if (fileExists(joinPath(folder, name)))
            return name;
    }
    return {};
}

// Whether `name` holds this picture as far as the host can tell without
// fetching it: its content fits the extension, and a picture has its size.
bool holdsPicture(const std::string &folder, const std::string &name, int32_t expected) {
    const std::string path = joinPath(folder, name);
    const int64_t size = fileSize(path);
    if (size <= 0 || (expected >= 0 && size != expected))
        return false;
    const auto head = readHead(path, 16);
    const std::string extension = name.substr(name.rfind('.') + 1);
    return extensionForContent(head.data(), head.size()) == extension;
}

}  // namespace

int PictureDownload::removeStaleWorkingFiles(const std::string &folder) {
    int removed = 0;
    for (const std::string &name : folderEntries(folder)) {
        long owner = 0;
        if (parseTemporaryName(name, owner) && owner != currentProcessId() && !processRuns(owner) &&
            removeFile(joinPath(folder, name)))
            ++removed;
    }
    return removed;
}

std::string PictureDownload::chooseStem(FileKind kind, const std::string &stem, int32_t expected,
                                        std::string &skipped) const {
    if (replace_)
        return stem;
    for (int index = 1; index <= kMaxAlternatives; ++index) {
        const std::string candidate = alternativeStem(stem, index);
        const std::string existing = existingFile(folder_, candidate);
        if (existing.empty())
            return candidate;
        if (holdsPicture(folder_, existing, kind == FileKind::Picture ? expected : -1)) {
            skipped = existing;
            return {};
        }
    }
    return {};
}

struct PictureDownload::Job {
    FileKind kind;
    int picture;        // as the library numbers it now
    int named;          // the number in the file's name
    std::string stem;   // PIC00005, or the pattern's name
    std::string label;  // "PIC00005 (picture 5)", for messages
    int32_t expected;   // the picture's size; -1 for a thumbnail
};

PictureDownload::Job PictureDownload::describe(FileKind kind, int picture, int nameNumber) const {
    Job job;
    job.kind = kind;
    job.picture = picture;
    job.named = nameNumber > 0 ? nameNumber : picture;
    job.stem = pattern_.empty() ? fileStem(kind, job.named)
                                : patternStem(pattern_, kind, job.named, model_, date_);
    job.label = job.stem + (kind == FileKind::Picture ? " (picture " : " (thumbnail ") +
                std::to_string(job.named) + ")";
    job.expected = kind == FileKind::Picture ? api_.Cam_get_picture_size(picture) : -1;
    return job;
}

std::string PictureDownload::claimName(const Job &job, DownloadOutcome &outcome) const {
    std::string skipped;
    const std::string target = chooseStem(job.kind, job.stem, job.expected, skipped);
    if (!skipped.empty()) {
        if (!console_.quiet)
            console_.out << skipped << " exists, skipped\n";
        outcome.result = DownloadResult::Skipped;
        outcome.fileName = skipped;
        return {};
    }
    if (target.empty()) {
        console_.err << "pdrcam: " << job.label << ": no free file name from " << job.stem << " to "
                     << alternativeStem(job.stem, kMaxAlternatives) << "\n";
        outcome.result = DownloadResult::FileError;
    }
    return target;
}

bool PictureDownload::fetchInto(const Job &job, PendingFile &file, const std::string &title,
                                DownloadOutcome &outcome) const {
    std::string writeError;
    {
        ConsoleProgress progress(console_, title,
                                 job.expected > 0 ? static_cast<uint64_t>(job.expected) : 0);
        ProgressScope scope(progress);
        outcome.cameraCode = job.kind == FileKind::Picture
                                 ? api_.Cam_get_picture_file(file.handle(), job.picture)
                                 : api_.Cam_get_thumbnail_file(file.handle(), job.picture);
        // The library leaves the platform's reason of a failed write for us;
        // read it before anything else can change it.
        if (outcome.cameraCode == CAM_ERR_WRITE)
            writeError = lastSystemError();
        outcome.seconds = progress.elapsedSeconds();
    }
    if (outcome.cameraCode == CAM_OK)
        return true;
    outcome.result = reportFetchFailure(job, outcome.cameraCode, file, writeError);
    return false;
}

DownloadResult PictureDownload::reportFetchFailure(const Job &job, int code,
                                                   const PendingFile &file,
                                                   const std::string &writeError) const {
    if (code == CAM_ERR_CANCELLED) {
        console_.err << "pdrcam: " << job.label << ": cancelled, nothing kept\n";
        return DownloadResult::Cancelled;
    }
    if (code == CAM_ERR_WRITE) {
        console_.err << "pdrcam: " << job.label << ": cannot write " << file.temporaryPath() << ": "
                     << writeError << "; nothing kept\n";
        return DownloadResult::FileError;
    }
    console_.err << "pdrcam: " << job.label << ": "
                 << (job.kind == FileKind::Picture ? cameraErrorText(code)
                                                   : thumbnailErrorText(code))
                 << " (code " << code << ")\n";
    return DownloadResult::Failed;
}

bool PictureDownload::receivedWhole(const Job &job, int64_t written) const {
    // A short file would be a half picture under a final name: refuse it.
    if (written >= 0 && (job.expected < 0 || written == job.expected) &&
        (job.kind != FileKind::Thumbnail || written != 0))
        return true;
    console_.err << "pdrcam: " << job.label << ": received " << written;
    if (job.expected >= 0)
        console_.err << " of " << job.expected;
    console_.err << " bytes; nothing kept\n";
    return false;
}

void PictureDownload::keepFile(const Job &job, PendingFile &file, const std::string &stem,
                               DownloadOutcome &outcome) const {
    std::string error;
    if (!file.finish(error)) {
        console_.err << "pdrcam: " << job.label << ": cannot write the file: " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return;
    }
    const int64_t written = fileSize(file.temporaryPath());
    if (!receivedWhole(job, written)) {
        outcome.result = DownloadResult::Failed;
        return;
    }
    const auto head = readHead(file.temporaryPath(), 16);
    const std::string name = fileName(stem, extensionForContent(head.data(), head.size()));
    if (!file.commit(name, replace_, error)) {
        console_.err << "pdrcam: " << job.label << ": cannot name the file " << name << ": "
                     << error << "\n";
        outcome.result = DownloadResult::FileError;
        return;
    }
    outcome.result = DownloadResult::Written;
    outcome.fileName = name;
    outcome.bytes = static_cast<uint64_t>(written);
}

DownloadOutcome PictureDownload::download(FileKind kind, int picture, const std::string &position,
                                          int nameNumber) {
    const Job job = describe(kind, picture, nameNumber);
    DownloadOutcome outcome;
    const std::string target = claimName(job, outcome);
    if (target.empty())
        return outcome;

    std::string error;
    auto file = PendingFile::create(folder_, target, error);
    if (!file) {
        console_.err << "pdrcam: " << job.label << ": cannot create a file: " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }
    if (fetchInto(job, *file, position.empty() ? target : target + " " + position, outcome))
        keepFile(job, *file, target, outcome);
    return outcome;
}

}  // namespace pdrcam
