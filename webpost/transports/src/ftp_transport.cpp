#include "ftp_transport.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "remote_path.h"
#include "platform/win32_handles.h"
#include "platform/wininet_handle.h"
#include "server_answer.h"
#include "win32_error.h"

namespace webpost {

namespace {

class FtpTransport : public Transport {
public:
    FtpTransport(Destination destination, Credentials credentials);
    std::optional<Failure> Open() override;
    std::optional<Failure> MakeFolder(const std::string &remote) override;
    std::optional<Failure> PutFile(const std::string &localPath, const std::string &remote,
                                   std::uint64_t size, const ByteCounter &counter) override;
    Fetched FetchFile(const std::string &remote, std::size_t limit) override;
    std::optional<Failure> PutBytes(const std::string &remote, const std::string &bytes) override;

private:
    std::optional<Failure> EnsureFolder(const std::string &path);
    Failure LastFailure(const std::string &what, const std::string &path, DWORD error);
    std::string ServerName() const;

    Destination destination_;
    Credentials credentials_;
    // Declared in this order so that the connection is closed before its session.
    platform::UniqueWinInet session_;
    platform::UniqueWinInet connection_;
};

constexpr DWORD kChunk = 256 * 1024;

// The server's last reply line, which WinINet keeps for the thread.
std::string LastReply() {
    DWORD code = 0;
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    if (!::InternetGetLastResponseInfoA(&code, text, &size))
        return {};
    std::string reply(text, size);
    // The last line of a multi-line reply is the one that counts.
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r'))
        reply.pop_back();
    const auto lastBreak = reply.find_last_of('\n');
    return lastBreak == std::string::npos ? reply : reply.substr(lastBreak + 1);
}

std::string Folder(const std::string &path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FtpTransport::FtpTransport(Destination destination, Credentials credentials)
    : destination_(std::move(destination)), credentials_(std::move(credentials)) {}

std::string FtpTransport::ServerName() const {
    return destination_.host + ":" + std::to_string(destination_.port);
}

Failure FtpTransport::LastFailure(const std::string &what, const std::string &path, DWORD error) {
    if (error == ERROR_INTERNET_EXTENDED_ERROR)
        return FtpReplyFailure(what, path, LastReply());
    const std::string detail = DescribeError(error, ::GetModuleHandleA("wininet.dll"));
    switch (error) {
    case ERROR_INTERNET_CANNOT_CONNECT:
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        return LinkFailure(LinkProblem::CannotConnect, ServerName(), detail);
    case ERROR_INTERNET_CONNECTION_ABORTED:
    case ERROR_INTERNET_CONNECTION_RESET:
        return LinkFailure(LinkProblem::ConnectionLost, ServerName(), detail);
    case ERROR_INTERNET_TIMEOUT:
        return LinkFailure(LinkProblem::TimedOut, ServerName(), detail);
    case ERROR_INTERNET_LOGIN_FAILURE: {
        Failure failure = FtpReplyFailure("Log-in as \"" + credentials_.user + "\" at",
                                          ServerName(), LastReply());
        failure.cause += "\r\nThe server did not accept the user name and password.";
        return failure;
    }
    default: {
        Failure failure = LinkFailure(LinkProblem::Other, ServerName(), detail);
        const std::string reply = LastReply();
        if (!reply.empty())
            failure.cause += "\r\n" + what + " " + path + ": " + reply;
        return failure;
    }
    }
}

std::optional<Failure> FtpTransport::Open() {
    // A retried Open starts afresh: the connection goes before its session.
    connection_.Reset();
    session_.Reset(::InternetOpenA("WebPost/1.0", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session_)
        return Failure{result::kInitFailed, "WinINet " + DescribeError(::GetLastError()), false};
    const std::string user = credentials_.user.empty() ? "anonymous" : credentials_.user;
    const std::string password = credentials_.user.empty() && credentials_.password.empty()
                                     ? "webpost@"
                                     : credentials_.password;
    connection_.Reset(::InternetConnectA(session_.Get(), destination_.host.c_str(),
                                         destination_.port, user.c_str(), password.c_str(),
                                         INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0));
    if (!connection_)
        return LastFailure("Log-in at", ServerName(), ::GetLastError());
    // The destination's folder, made when missing (its parent must exist).
    const std::string root = FtpPath(destination_.path, "");
    if (root == "/")
        return std::nullopt;
    return EnsureFolder(root.substr(0, root.size() - 1));
}

std::optional<Failure> FtpTransport::EnsureFolder(const std::string &path) {
    if (::FtpCreateDirectoryA(connection_.Get(), path.c_str()))
        return std::nullopt;
    const DWORD error = ::GetLastError();
    const std::string reply = LastReply();
    // Already there? Going into it tells.
    if (::FtpSetCurrentDirectoryA(connection_.Get(), path.c_str())) {
        ::FtpSetCurrentDirectoryA(connection_.Get(), "/");
        return std::nullopt;
    }
    if (error == ERROR_INTERNET_EXTENDED_ERROR)
        return FtpReplyFailure("MKD", path, reply);
    return LastFailure("MKD", path, error);
}

std::optional<Failure> FtpTransport::MakeFolder(const std::string &remote) {
    return EnsureFolder(FtpPath(destination_.path, remote));
}

std::optional<Failure> FtpTransport::PutFile(const std::string &localPath,
                                             const std::string &remote, std::uint64_t,
                                             const ByteCounter &counter) {
    const std::string final = FtpPath(destination_.path, remote);
    const std::string partial =
        Folder(final) + "/.partial-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    platform::UniqueFile source(::CreateFileA(localPath.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                              nullptr));
    if (!source)
        return Failure{result::kPostFiles,
                       "The local file \"" + localPath + "\" cannot be read. " +
                           DescribeError(::GetLastError()),
                       false};
    {
        platform::UniqueWinInet upload(::FtpOpenFileA(connection_.Get(), partial.c_str(),
                                                      GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 0));
        if (!upload)
            return LastFailure("STOR", final, ::GetLastError());
        std::vector<char> buffer(kChunk);
        std::uint64_t sent = 0;
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(source.Get(), buffer.data(), kChunk, &got, nullptr)) {
                const DWORD error = ::GetLastError();
                upload.Reset();
                ::FtpDeleteFileA(connection_.Get(), partial.c_str());
                return Failure{result::kPostFiles,
                               "The local file \"" + localPath + "\" cannot be read. " +
                                   DescribeError(error),
                               false};
            }
            if (got == 0)
                break;
            DWORD written = 0;
            if (!::InternetWriteFile(upload.Get(), buffer.data(), got, &written) ||
                written != got) {
                const Failure failure = LastFailure("STOR", final, ::GetLastError());
                upload.Reset();
                ::FtpDeleteFileA(connection_.Get(), partial.c_str());
                return failure;
            }
            sent += got;
            counter(sent);
        }
        // Closing the data connection ends the transfer; the server's answer
        // to it comes with the next command.
    }
    if (::FtpRenameFileA(connection_.Get(), partial.c_str(), final.c_str()))
        return std::nullopt;
    // Servers that will not rename over an existing file: remove it first.
    ::FtpDeleteFileA(connection_.Get(), final.c_str());
    if (::FtpRenameFileA(connection_.Get(), partial.c_str(), final.c_str()))
        return std::nullopt;
    const Failure failure = LastFailure("RNTO", final, ::GetLastError());
    ::FtpDeleteFileA(connection_.Get(), partial.c_str());
    return failure;
}

Fetched FtpTransport::FetchFile(const std::string &remote, std::size_t limit) {
    Fetched fetched;
    const std::string path = FtpPath(destination_.path, remote);
    platform::UniqueWinInet download(
        ::FtpOpenFileA(connection_.Get(), path.c_str(), GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, 0));
    if (!download) {
        // 550: no such file (or not one we may read, which counts the same).
        const bool missing =
            ::GetLastError() == ERROR_INTERNET_EXTENDED_ERROR && LastReply().rfind("550", 0) == 0;
        fetched.state = missing ? FetchState::Missing : FetchState::Unreadable;
        return fetched;
    }
    fetched.state = FetchState::Unreadable;
    std::vector<char> buffer(kChunk);
    for (;;) {
        DWORD got = 0;
        if (!::InternetReadFile(download.Get(), buffer.data(), kChunk, &got))
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

std::optional<Failure> FtpTransport::PutBytes(const std::string &remote, const std::string &bytes) {
    const std::string final = FtpPath(destination_.path, remote);
    const std::string partial =
        Folder(final) + "/.partial-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    {
        platform::UniqueWinInet upload(::FtpOpenFileA(connection_.Get(), partial.c_str(),
                                                      GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 0));
        if (!upload)
            return LastFailure("STOR", final, ::GetLastError());
        DWORD written = 0;
        if (!bytes.empty() && (!::InternetWriteFile(upload.Get(), bytes.data(),
                                                    static_cast<DWORD>(bytes.size()), &written) ||
                               written != bytes.size())) {
            const Failure failure = LastFailure("STOR", final, ::GetLastError());
            upload.Reset();
            ::FtpDeleteFileA(connection_.Get(), partial.c_str());
            return failure;
        }
    }
    if (::FtpRenameFileA(connection_.Get(), partial.c_str(), final.c_str()))
        return std::nullopt;
    ::FtpDeleteFileA(connection_.Get(), final.c_str());
    if (::FtpRenameFileA(connection_.Get(), partial.c_str(), final.c_str()))
        return std::nullopt;
    const Failure failure = LastFailure("RNTO", final, ::GetLastError());
    ::FtpDeleteFileA(connection_.Get(), partial.c_str());
    return failure;
}

std::unique_ptr<Transport> MakeFtpTransport(Destination destination, Credentials credentials) {
    return std::make_unique<FtpTransport>(std::move(destination), std::move(credentials));
}

}  // namespace webpost
