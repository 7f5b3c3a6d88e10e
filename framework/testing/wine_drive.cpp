#include "wine_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

namespace testsupport {

namespace {

const char kSharedFolder[] = "C:\\suite-test-drive";
// Named after the folder, so that a letter left leading elsewhere by an
// earlier layout of the prefix is noticed and defined again.
const char kMarker[] = "suite-test-drive.marker";

// The request Wine's mount manager takes to link a drive letter to a Unix
// folder (the layout of its DEFINE_UNIX_DRIVE control).
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDev;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
const DWORD kDefineUnixDrive =
    CTL_CODE(0x0000006d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

std::string UnixPathOf(const std::string &windowsPath) {
    using ToUnix = char *(CDECL *)(const WCHAR *);
    // Through void *: a FARPROC cast straight to another function type warns.
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void *>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return std::string();
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char *unixPath = toUnix(wide.c_str());
    if (!unixPath)
        return std::string();
    std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

bool MapDriveLetter(char letter, const std::string &windowsFolder, DriveKind kind) {
    const std::string unixPath = UnixPathOf(windowsFolder);
    if (unixPath.empty())
        return false;
    HANDLE manager =
        ::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> request(sizeof(UnixDriveRequest) + unixPath.size() + 1, '\0');
    auto *header = reinterpret_cast<UnixDriveRequest *>(request.data());
    header->size = static_cast<ULONG>(request.size());
    header->type = kind == DriveKind::Removable ? DRIVE_REMOVABLE : DRIVE_FIXED;
    header->letter = static_cast<WCHAR>(letter | 0x20);
    header->mountPointOffset = sizeof(UnixDriveRequest);
    std::memcpy(request.data() + sizeof(UnixDriveRequest), unixPath.c_str(), unixPath.size() + 1);
    DWORD returned = 0;
    const BOOL ok =
        ::DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                          static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
    ::CloseHandle(manager);
    return ok != FALSE;
}

}  // namespace

std::string SharedDriveFolder() {
    // Both letters lead to one folder and stay defined: test programs run
    // side by side, each test in a folder of its own below it.
    static const std::string folder = [] {
        const std::string target = kSharedFolder;
        ::CreateDirectoryA(target.c_str(), nullptr);
        MakeFile(target + "\\" + kMarker);
        // Redefining a letter briefly removes it: define each one only once,
        // under a lock shared with the other test processes.
        HANDLE lock = ::CreateMutexA(nullptr, FALSE, "suite-test-drive");
        ::WaitForSingleObject(lock, INFINITE);
        bool ready = true;
        for (char letter : {'Q', 'R'}) {
            const std::string marker = std::string(1, letter) + ":\\" + kMarker;
            if (::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES)
                ready = MapDriveLetter(letter, target, DriveKind::Fixed) && ready;
        }
        ::ReleaseMutex(lock);
        ::CloseHandle(lock);
        return ready ? target : std::string();
    }();
    return folder;
}

bool LinkDriveLetter(char letter, const std::string &windowsFolder, DriveKind kind) {
    return MapDriveLetter(letter, windowsFolder, kind);
}

bool MakeFolders(const std::string &path) {
    for (std::string::size_type at = path.find('\\', 3); at != std::string::npos;
         at = path.find('\\', at + 1))
        ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    ::CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFile(const std::string &path) {
    const std::string::size_type slash = path.rfind('\\');
    if (slash != std::string::npos)
        MakeFolders(path.substr(0, slash));
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    ::WriteFile(file, "x", 1, &written, nullptr);
    ::CloseHandle(file);
    return true;
}

void RemoveTree(const std::string &path) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(path.c_str());
}

ScratchOnDrive::ScratchOnDrive() {
    const std::string shared = SharedDriveFolder();
    if (shared.empty())
        return;
    static int counter = 0;
    const std::string name =
        "t" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
    hostPath_ = shared + "\\" + name;
    RemoveTree(hostPath_);
    if (!MakeFolders(hostPath_))
        return;
    path_ = "Q:\\" + name;
}

ScratchOnDrive::~ScratchOnDrive() {
    if (!hostPath_.empty())
        RemoveTree(hostPath_);
}

}  // namespace testsupport
