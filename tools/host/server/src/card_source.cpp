#include "card_source.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "card_rules.h"
#include "file_queries.h"
#include "find_matching_file.h"
#include "folder_scan.h"
#include "path_text.h"
#include "platform/win32_handles.h"

namespace standin {

namespace {

// A card copies in pieces of this size, with a look at the window between.
constexpr DWORD kPieceSize = 64 * 1024;

std::string CardFolderOn(const std::string &drive, const HostSettings &settings) {
    const std::string pattern = applet::CardFilePattern(settings.cardFile);
    if (!pattern.empty() && !applet::FindMatchingFile(drive, pattern))
        return {};
    for (const std::string &folder : applet::CardFolderCandidates(drive, settings.cardFolders))
        if (applet::IsFolder(folder))
            return folder;
    return {};
}

struct FoundFile {
    std::string path;
    uint64_t size;
};

// Files of `folder`, and with `depth` 1 those of its folders too.
void CollectFiles(const std::string &folder, int depth, std::vector<FoundFile> &files) {
    applet::FolderScan scan(folder);
    std::string path;
    while (scan.Next(path)) {
        const std::string name = applet::GetNamePart(path);
        if (name == "." || name == "..")
            continue;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (depth > 0)
                CollectFiles(path, depth - 1, files);
        } else {
            files.push_back({path, (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
        }
    }
}

}  // namespace

std::string FindCardFolder(const HostSettings &settings) {
    if (settings.side.pcCardDrive && !settings.side.pcCardDrive->empty()) {
        const std::string folder = CardFolderOn(*settings.side.pcCardDrive, settings);
        if (!folder.empty())
            return folder;
    }
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter)))
            continue;
        const std::string drive = std::string(1, static_cast<char>('A' + letter)) + ":";
        if (::GetDriveTypeA((drive + "\\").c_str()) != DRIVE_REMOVABLE)
            continue;
        const std::string folder = CardFolderOn(drive, settings);
        if (!folder.empty())
            return folder;
    }
    return {};
}

bool CardSource::List(std::vector<SourcePicture> &pictures, TaskResult &failure) {
    const std::string folder = FindCardFolder(settings_);
    if (folder.empty()) {
        failure.end = TaskEnd::NoCard;
        return false;
    }
    std::vector<FoundFile> files;
    CollectFiles(folder, 1, files);
    std::sort(files.begin(), files.end(), [](const FoundFile &a, const FoundFile &b) {
        return ::lstrcmpiA(a.path.c_str(), b.path.c_str()) < 0;
    });
    for (const FoundFile &file : files)
        pictures.push_back({applet::GetNamePart(file.path), file.size, 0, file.path});
    return true;
}

CopyResult CardSource::Copy(const SourcePicture &picture, pdrcam::NativeFile file,
                            const CopyProgress &progress) {
    CopyResult result;
    const platform::UniqueFile source(::CreateFileA(picture.path.c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source) {
        result.status = CopyStatus::SourceFailed;
        result.detail = picture.path;
        return result;
    }
    std::vector<char> piece(kPieceSize);
    uint64_t copied = 0;
    for (;;) {
        if (!progress(Percent(copied, picture.size))) {
            result.status = CopyStatus::Stopped;
            return result;
        }
        DWORD read = 0;
        if (!::ReadFile(source.Get(), piece.data(), kPieceSize, &read, nullptr)) {
            result.status = CopyStatus::SourceFailed;
            result.detail = picture.path;
            return result;
        }
        if (read == 0)
            return result;
        // The same writes as the camera library makes into the same kind of file.
        if (_lwrite(static_cast<HFILE>(file), piece.data(), read) != read) {
            result.status = CopyStatus::WriteFailed;
            result.systemError = ::GetLastError();
            return result;
        }
        copied += read;
    }
}

}  // namespace standin
