#include "ftp_transport.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "remote_path.h"
#include "platform/win32_handles.h"
#include "platform/wininet_handle.h"
#include "server_answer.h"
#include "utf8_text.h"
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

private:
    bool ServerOffersUtf8();
    // `remote` (UTF-8) below the destination, in the server's encoding.
    std::string ServerPath(const std::string &remote) const;
    std::optional<Failure> EnsureFolder(const std::string &path);
    Failure LastFailure(const std::string &what, const std::string &path, DWORD error);
    std::string ServerName() const;

    Destination destination_;
    Credentials credentials_;
    // Names go as UTF-8 when the server says it takes them, else in the
    // system code page, as servers of old expect.
    bool utf8_ = false;
    // Declared in this order so that the connection is closed before its session.
    platform::UniqueWinInet session_;
    platform::UniqueWinInet connection_;
};

constexpr DWORD kChunk = 256 * 1024;

// The server's last reply, which WinINet keeps for the thread.
std::string LastReplyText() {
    DWORD code = 0;
    char text[4096] = {};
    DWORD size = sizeof text - 1;
    if (!::InternetGetLastResponseInfoA(&code, text, &size))
        return {};
    return std::string(text, size);
}

// The last line of it.
std::string LastReply() {
    std::string reply = LastReplyText();
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
    utf8_ = ServerOffersUtf8();
    // The destination's folder, made when missing (its parent must exist).
    const std::string root = ServerPath("");
    if (root == "/")
        return std::nullopt;
    return EnsureFolder(root.substr(0, root.size() - 1));
}

// A server that takes UTF-8 names lists UTF8 among its features (FEAT);
// some want to be told the client uses it (OPTS UTF8 ON), others answer that
// they always do. Wine's WinINet keeps only the last line of a reply, which
// hides the feature list: then the answer to OPTS UTF8 ON decides, which
// servers without UTF-8 names refuse as an unknown command or option.
bool FtpTransport::ServerOffersUtf8() {
    bool listed = false;
    bool featuresSeen = false;
    if (::FtpCommandA(connection_.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY, "FEAT", 0, nullptr)) {
        const std::string features = LastReplyText();
        std::size_t start = 0;
        while (start < features.size()) {
            std::size_t end = features.find('\n', start);
            if (end == std::string::npos)
                end = features.size();
            std::string line = features.substr(start, end - start);
            while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                line.pop_back();
            const std::size_t first = line.find_first_not_of(' ');
            // Features are the lines that start with a blank.
            if (first != 0 && first != std::string::npos) {
                featuresSeen = true;
                if (line.size() - first == 4 &&
                    ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.c_str() + first, 4,
                                     "UTF8", 4) == CSTR_EQUAL)
                    listed = true;
            }
            start = end + 1;
        }
    }
    if (featuresSeen && !listed)
        return false;
    const bool accepted = ::FtpCommandA(connection_.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY,
                                        "OPTS UTF8 ON", 0, nullptr) &&
                          LastReply().rfind('2', 0) == 0;
    return listed || accepted;
}

// The destination's path from the URL is text of the system code page with
// escapes for bytes the server gets as they are.
std::string FtpTransport::ServerPath(const std::string &remote) const {
    if (utf8_)
        return FtpPath(Utf8FromCodePage(destination_.path), remote);
    return FtpPath(destination_.path, CodePageFromUtf8(remote));
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
    return EnsureFolder(ServerPath(remote));
}

std::optional<Failure> FtpTransport::PutFile(const std::string &localPath,
                                             const std::string &remote, std::uint64_t,
                                             const ByteCounter &counter) {
    const std::string final = ServerPath(remote);
    const std::string partial =
        Folder(final) + "/.partial-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    platform::UniqueFile source(::CreateFileW(WideFromUtf8(localPath).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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

std::unique_ptr<Transport> MakeFtpTransport(Destination destination, Credentials credentials) {
    return std::make_unique<FtpTransport>(std::move(destination), std::move(credentials));
}

}  // namespace webpost
