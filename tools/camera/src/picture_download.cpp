#include "picture_download.h"

#include "cancel_request.h"
#include "console_progress.h"
#include "error_text.h"
#include "file_system.h"
#include "pending_file.h"

#include <chrono>

namespace pdrcam {

std::string PictureDownload::existingFile(const std::string &stem) const {
    for (const std::string &extension : knownExtensions()) {
        const std::string name = fileName(stem, extension);
        if (fileExists(joinPath(folder_, name)))
            return name;
    }
    return {};
}

DownloadOutcome PictureDownload::download(FileKind kind, int picture) {
    DownloadOutcome outcome;
    const std::string stem = fileStem(kind, picture);
    const std::string label = stem + (kind == FileKind::Picture ? " (picture " : " (thumbnail ") +
                              std::to_string(picture) + ")";

    if (!replace_) {
        const std::string existing = existingFile(stem);
        if (!existing.empty()) {
            console_.out << existing << " exists, skipped\n";
            outcome.result = DownloadResult::Skipped;
            outcome.fileName = existing;
            return outcome;
        }
    }

    std::string error;
    auto file = PendingFile::create(folder_, stem, error);
    if (!file) {
        console_.err << label << ": cannot create a file: " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }

    const int32_t expected = kind == FileKind::Picture ? api_.Cam_get_picture_size(picture) : -1;
    int code;
    {
        ConsoleProgress progress(console_, stem,
                                 expected > 0 ? static_cast<uint64_t>(expected) : 0);
        ProgressScope scope(progress);
        code = kind == FileKind::Picture ? api_.Cam_get_picture_file(file->handle(), picture)
                                         : api_.Cam_get_thumbnail_file(file->handle(), picture);
        outcome.seconds = progress.elapsedSeconds();
    }
    if (code == CAM_ERR_CANCELLED) {
        console_.err << label << ": cancelled, nothing kept\n";
        outcome.result = DownloadResult::Cancelled;
        outcome.cameraCode = code;
        return outcome;
    }
    if (code != CAM_OK) {
        console_.err << label << ": "
                     << (kind == FileKind::Picture ? cameraErrorText(code)
                                                   : thumbnailErrorText(code))
                     << " (code " << code << ")\n";
        outcome.result = DownloadResult::Failed;
        outcome.cameraCode = code;
        return outcome;
    }

    if (!file->finish(error)) {
        console_.err << label << ": cannot write the file: " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }
    const int64_t written = fileSize(file->temporaryPath());
    // A short file would be a half picture under a final name: refuse it.
    if (written < 0 || (expected >= 0 && written != expected) ||
        (kind == FileKind::Thumbnail && written == 0)) {
        console_.err << label << ": received " << written;
        if (expected >= 0)
            console_.err << " of " << expected;
        console_.err << " bytes; nothing kept\n";
        outcome.result = DownloadResult::Failed;
        return outcome;
    }

    const auto head = readHead(file->temporaryPath(), 16);
    const std::string name = fileName(stem, extensionForContent(head.data(), head.size()));
    if (!file->commit(name, replace_, error)) {
        console_.err << label << ": cannot name the file " << name << ": " << error << "\n";
        outcome.result = DownloadResult::FileError;
        return outcome;
    }
    outcome.result = DownloadResult::Written;
    outcome.fileName = name;
    outcome.bytes = static_cast<uint64_t>(written);
    return outcome;
}

}  // namespace pdrcam
