#include "folder_transport.h"

#include <windows.h>

#include <vector>

#include "platform/win32_handles.h"
#include "utf8_text.h"
#include "win32_error.h"

namespace webpost {

namespace {

constexpr DWORD kChunk = 256 * 1024;

bool IsFolder(const std::string &path) {
    const DWORD attributes = ::GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Failure WriteFailure(const std::string &what, DWORD error) {
    return Failure{result::kPostFiles, what + " " + DescribeError(error), false};
}

// Copies `from` into the new file `to` (which must not exist), telling the
// counter as it goes.
std::optional<Failure> CopyContents(const std::string &from, const std::string &to,
                                    const ByteCounter &counter) {
    platform::UniqueFile source(::CreateFileW(WideFromUtf8(from).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source)
        return WriteFailure("The local file \"" + from + "\" cannot be read.", ::GetLastError());
    platform::UniqueFile target(::CreateFileW(WideFromUtf8(to).c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target)
        return WriteFailure("The file \"" + to + "\" cannot be created.", ::GetLastError());
    std::vector<char> buffer(kChunk);
    std::uint64_t copied = 0;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(source.Get(), buffer.data(), kChunk, &got, nullptr))
            return WriteFailure("The local file \"" + from + "\" cannot be read.",
                                ::GetLastError());
        if (got == 0)
            break;
        DWORD written = 0;
        if (!::WriteFile(target.Get(), buffer.data(), got, &written, nullptr) || written != got)
            return WriteFailure("The file \"" + to + "\" cannot be written.", ::GetLastError());
        copied += got;
        counter(copied);
    }
    if (!::FlushFileBuffers(target.Get()))
        return WriteFailure("The file \"" + to + "\" cannot be written.", ::GetLastError());
    return std::nullopt;
}

}  // namespace

std::string FolderTransport::Target(const std::string &remote) const {
    std::string path = folder_;
    if (path.back() != '\\')
        path += '\\';
    for (char c : remote)
        path += c == '/' ? '\\' : c;
    return path;
}

std::optional<Failure> FolderTransport::Open() {
    if (IsFolder(folder_))
        return std::nullopt;
    if (!::CreateDirectoryW(WideFromUtf8(folder_).c_str(), nullptr))
        return WriteFailure("The destination folder \"" + folder_ + "\" cannot be created.",
                            ::GetLastError());
    return std::nullopt;
}

std::optional<Failure> FolderTransport::MakeFolder(const std::string &remote) {
    const std::string path = Target(remote);
    if (::CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr) || IsFolder(path))
        return std::nullopt;
    return WriteFailure("The folder \"" + path + "\" cannot be created.", ::GetLastError());
}

std::optional<Failure> FolderTransport::PutFile(const std::string &localPath,
                                                const std::string &remote, std::uint64_t,
                                                const ByteCounter &counter) {
    const std::string final = Target(remote);
    const std::string partial =
        final + ".partial-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    std::optional<Failure> failure = CopyContents(localPath, partial, counter);
    if (!failure && !::MoveFileExW(WideFromUtf8(partial).c_str(), WideFromUtf8(final).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = WriteFailure("The file \"" + final + "\" cannot be replaced.", ::GetLastError());
    if (failure)
        ::DeleteFileW(WideFromUtf8(partial).c_str());
    return failure;
}

}  // namespace webpost

namespace webpost {

Fetched FolderTransport::FetchFile(const std::string &remote, std::size_t limit) {
    Fetched fetched;
    platform::UniqueFile file(::CreateFileW(WideFromUtf8(Target(remote)).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        fetched.state = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                            ? FetchState::Missing
                            : FetchState::Unreadable;
        return fetched;
    }
    fetched.state = FetchState::Unreadable;
    std::vector<char> buffer(kChunk);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer.data(), kChunk, &got, nullptr))
            return fetched;
        if (got == 0)
            break;
        fetched.bytes.append(buffer.data(), got);
        if (fetched.bytes.size() > limit)
            return fetched;
    }
    fetched.state = FetchState::Found;
    return fetched;
}

std::optional<Failure> FolderTransport::PutBytes(const std::string &remote,
                                                 const std::string &bytes) {
    const std::string final = Target(remote);
    const std::string partial =
        final + ".partial-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    std::optional<Failure> failure;
    {
        platform::UniqueFile target(::CreateFileW(WideFromUtf8(partial).c_str(), GENERIC_WRITE, 0,
                                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN,
                                                  nullptr));
        DWORD written = 0;
        if (!target)
            failure =
                WriteFailure("The file \"" + partial + "\" cannot be created.", ::GetLastError());
        else if (!::WriteFile(target.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                              &written, nullptr) ||
                 written != bytes.size() || !::FlushFileBuffers(target.Get()))
            failure =
                WriteFailure("The file \"" + partial + "\" cannot be written.", ::GetLastError());
    }
    if (!failure && !::MoveFileExW(WideFromUtf8(partial).c_str(), WideFromUtf8(final).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = WriteFailure("The file \"" + final + "\" cannot be replaced.", ::GetLastError());
    if (failure)
        ::DeleteFileW(WideFromUtf8(partial).c_str());
    return failure;
}

}  // namespace webpost
