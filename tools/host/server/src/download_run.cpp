#include "download_run.h"

#include <windows.h>

#include <memory>

#include "file_queries.h"
#include "path_text.h"
#include "pending_file.h"

namespace standin {

namespace {

// How many alternatives of a name are tried before the picture fails.
constexpr int kMaxAttempts = 99;

bool IsDiskFull(unsigned long error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// Makes the album and any folder above it that is missing.
bool MakeFolders(const std::string &path) {
    if (path.empty() || applet::IsFolder(path))
        return !path.empty();
    const std::string above = applet::GetFolderPart(path);
    if (!above.empty() && above != path && !applet::IsFolder(above) && !MakeFolders(above))
        return false;
    return ::CreateDirectoryA(path.c_str(), nullptr) || applet::IsFolder(path);
}

bool RoomFor(const std::string &folder, uint64_t bytes) {
    ULARGE_INTEGER available;
    if (!::GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr))
        return true;  // unknown: the writes will tell
    return available.QuadPart > bytes;
}

std::string StemOf(const std::string &name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

TaskResult DownloadPictures(PictureSource &source, const std::vector<SourcePicture> &pictures,
                            const std::string &album, const DownloadHooks &hooks) {
    TaskResult result;
    result.end = TaskEnd::Done;
    result.total = pictures.size();
    auto fail = [&result](TaskEnd end, const std::string &detail) {
        result.end = end;
        result.detail = detail;
        return result;
    };
    if (!MakeFolders(album))
        return fail(IsDiskFull(::GetLastError()) ? TaskEnd::DiskFull : TaskEnd::FileError, album);

    uint64_t allBytes = 0;
    for (const SourcePicture &picture : pictures)
        allBytes += picture.size;
    uint64_t bytesBefore = 0;
    hooks.progress(0);
    for (size_t index = 0; index < pictures.size(); ++index) {
        const SourcePicture &picture = pictures[index];
        if (!hooks.keepGoing())
            return fail(TaskEnd::Cancelled, "");
        hooks.activity("Downloading " + picture.name + " (" + std::to_string(index + 1) + " of " +
                       std::to_string(pictures.size()) + ")");
        if (!RoomFor(album, picture.size))
            return fail(TaskEnd::DiskFull, album);

        std::string error;
        std::unique_ptr<pdrcam::PendingFile> file =
            pdrcam::PendingFile::create(album, StemOf(picture.name), error);
        if (!file)
            return fail(IsDiskFull(::GetLastError()) ? TaskEnd::DiskFull : TaskEnd::FileError,
                        album);
        const CopyResult copy = source.Copy(picture, file->handle(), [&](int percent) {
            hooks.progress(Percent(bytesBefore + picture.size * percent / 100, allBytes));
            return hooks.keepGoing();
        });
        switch (copy.status) {
        case CopyStatus::Copied:
            break;
        case CopyStatus::Stopped:
            return fail(TaskEnd::Cancelled, "");
        case CopyStatus::WriteFailed:
            return fail(IsDiskFull(copy.systemError) ? TaskEnd::DiskFull : TaskEnd::FileError,
                        file->temporaryPath());
        case CopyStatus::SourceFailed:
            if (copy.cameraCode != 0) {
                result.cameraCode = copy.cameraCode;
                return fail(TaskEnd::CameraError, copy.detail);
            }
            return fail(TaskEnd::ReadError, copy.detail);
        }
        if (!file->finish(error))
            return fail(IsDiskFull(::GetLastError()) ? TaskEnd::DiskFull : TaskEnd::FileError,
                        file->temporaryPath());
        const std::string wanted = source.FinalName(picture, file->temporaryPath());
        bool named = false;
        for (int attempt = 1; attempt <= kMaxAttempts && !named; ++attempt) {
            const std::string name = AlternativeName(wanted, attempt);
            named = !applet::FileExists(applet::JoinPath(album, name)) &&
                    file->commit(name, false, error);
        }
        if (!named)
            return fail(TaskEnd::FileError, applet::JoinPath(album, wanted));
        ++result.done;
        bytesBefore += picture.size;
        hooks.progress(Percent(bytesBefore, allBytes));
    }
    return result;
}

}  // namespace standin
