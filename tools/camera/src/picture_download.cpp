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

DownloadOutcome PictureDownload::download(FileKind kind, int picture, const std::string &position,
                                          int nameNumber) {
    DownloadOutcome outcome;
    const int named = nameNumber > 0 ? nameNumber : picture;
    const std::string stem = pattern_.empty() ? fileStem(kind, named)
                                              : patternStem(pattern_, kind, named, model_, date_);
    const std::string label = stem + (kind == FileKind::Picture ? " (picture " : " (thumbnail ") +
                              std::to_string(named) + ")";
    const int32_t expected = kind == FileKind::Picture ? api_.Cam_get_picture_size(picture) : -1;

    std::string skipped;
    const std::string target = chooseStem(kind, stem, expected, skipped);
    if (!skipped.empty()) {
        if (!console_.quiet)
            console_.out << skipped << " exists, skipped\n";
        outcome.result = DownloadResult::Skipped;
        outcome.fileName = skipped;
        return outcome;
    }
    if (target.empty()) {
        console_.err << "pdrcam: " << label << ": no free file name from " << stem << " to "
                     << alternativeStem(stem, kMaxAlternatives) << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }

    std::string error;
    auto file = PendingFile::create(folder_, target, error);
    if (!file) {
        console_.err << "pdrcam: " << label << ": cannot create a file: " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }

    int code;
    std::string writeError;
    {
        ConsoleProgress progress(console_, position.empty() ? target : target + " " + position,
                                 expected > 0 ? static_cast<uint64_t>(expected) : 0);
        ProgressScope scope(progress);
        code = kind == FileKind::Picture ? api_.Cam_get_picture_file(file->handle(), picture)
                                         : api_.Cam_get_thumbnail_file(file->handle(), picture);
        // The library leaves the platform's reason of a failed write for us;
        // read it before anything else can change it.
        if (code == CAM_ERR_WRITE)
            writeError = lastSystemError();
        outcome.seconds = progress.elapsedSeconds();
    }
    outcome.cameraCode = code;
    if (code == CAM_ERR_CANCELLED) {
        console_.err << "pdrcam: " << label << ": cancelled, nothing kept\n";
        outcome.result = DownloadResult::Cancelled;
        return outcome;
    }
    if (code == CAM_ERR_WRITE) {
        console_.err << "pdrcam: " << label << ": cannot write " << file->temporaryPath() << ": "
                     << writeError << "; nothing kept\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }
    if (code != CAM_OK) {
        console_.err << "pdrcam: " << label << ": "
                     << (kind == FileKind::Picture ? cameraErrorText(code)
                                                   : thumbnailErrorText(code))
                     << " (code " << code << ")\n";
        outcome.result = DownloadResult::Failed;
        return outcome;
    }

    if (!file->finish(error)) {
        console_.err << "pdrcam: " << label << ": cannot write the file: " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }
    const int64_t written = fileSize(file->temporaryPath());
    // A short file would be a half picture under a final name: refuse it.
    if (written < 0 || (expected >= 0 && written != expected) ||
        (kind == FileKind::Thumbnail && written == 0)) {
        console_.err << "pdrcam: " << label << ": received " << written;
        if (expected >= 0)
            console_.err << " of " << expected;
        console_.err << " bytes; nothing kept\n";
        outcome.result = DownloadResult::Failed;
        return outcome;
    }

    const auto head = readHead(file->temporaryPath(), 16);
    const std::string name = fileName(target, extensionForContent(head.data(), head.size()));
    if (!file->commit(name, replace_, error)) {
        console_.err << "pdrcam: " << label << ": cannot name the file " << name << ": " << error
                     << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }
    outcome.result = DownloadResult::Written;
    outcome.fileName = name;
    outcome.bytes = static_cast<uint64_t>(written);
    return outcome;
}

}  // namespace pdrcam
