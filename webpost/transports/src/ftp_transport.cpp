#include "platform/winsock_handle.h"

#include "ftp_transport.h"

#include <windows.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/win32_handles.h"
#include "remote_path.h"
#include "server_answer.h"
#include "socket_link.h"
#include "utf8_text.h"
#include "win32_error.h"

namespace webpost {

namespace {

// FTP on the sockets directly, one control connection for the whole post.
// (WinINet's FTP, on Wine, reads each reply a byte at a time and sets the
// transfer type again for every file: some 18 ms a file on loopback, where
// a file's own exchange takes a fraction of that.)

constexpr DWORD kChunk = 256 * 1024;

// A reply: its code (0 when none came) and its text, every line.
struct Reply {
    int code = 0;
    std::string text;
    // The last line, as error texts quote it.
    std::string LastLine() const {
        std::string line = text;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        const auto lastBreak = line.find_last_of('\n');
        return lastBreak == std::string::npos ? line : line.substr(lastBreak + 1);
    }
    bool Positive() const { return code >= 100 && code < 400; }
};

std::string Folder(const std::string &path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

// Sends all of `data`; false with the socket's error.
bool SendAll(SOCKET socket, const char *data, std::size_t size, int &error) {
    while (size > 0) {
        const int chunk = size > 0x40000000 ? 0x40000000 : static_cast<int>(size);
        const int sent = ::send(socket, data, chunk, 0);
        if (sent == SOCKET_ERROR) {
            error = ::WSAGetLastError();
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

class FtpTransport : public Transport {
public:
    FtpTransport(Destination destination, Credentials credentials);
    ~FtpTransport() override;
    std::optional<Failure> Open() override;
    std::optional<Failure> MakeFolder(const std::string &remote) override;
    std::optional<Failure> PutFile(const std::string &localPath, const std::string &remote,
                                   std::uint64_t size, const ByteCounter &counter) override;
    Fetched FetchFile(const std::string &remote, std::size_t limit) override;
    std::optional<Failure> PutBytes(const std::string &remote, const std::string &bytes) override;

private:
    std::optional<Failure> Connect();
    std::optional<Failure> LogIn();
    std::optional<Failure> Reconnected();
    bool ServerOffersUtf8();
    // `remote` (UTF-8) below the destination, in the server's encoding.
    std::string ServerPath(const std::string &remote) const;
    std::optional<Failure> EnsureFolder(const std::string &path);
    std::optional<Failure> Store(HANDLE source, const std::string &localPath,
                                 const std::string &partial, const std::string &final,
                                 const ByteCounter &counter);
    std::optional<Failure> StoreBytes(const std::string &bytes, const std::string &partial,
                                      const std::string &final);
    // What goes over a data connection: nothing on success, else the failure.
    using DataSender = std::function<std::optional<Failure>(SOCKET data)>;
    std::optional<Failure> Transfer(const std::string &partial, const std::string &final,
                                    const DataSender &send);
    std::optional<Failure> Rename(const std::string &from, const std::string &to);
    std::optional<Failure> RenameIntoPlace(const std::string &partial, const std::string &final);

    // One command and its reply; false when the connection failed (then
    // `linkFailure_` says how and the connection is dropped).
    bool Command(const std::string &command, Reply &reply);
    bool ReadReply(Reply &reply);
    bool ReadLine(std::string &line);
    std::optional<Failure> OpenDataConnection(platform::UniqueSocket &data);
    Failure SocketFailure(int error);
    Failure Dropped();
    Failure ReplyFailure(const std::string &what, const std::string &path, const Reply &reply);
    std::string ServerName() const;

    Destination destination_;
    Credentials credentials_;
    bool winsockReady_ = false;
    platform::UniqueSocket control_;
    // What was read from the control connection beyond the last line.
    std::string pending_;
    std::optional<Failure> linkFailure_;
    // Names go as UTF-8 when the server says it takes them, else in the
    // system code page, as servers of old expect.
    bool utf8_ = false;
};

FtpTransport::FtpTransport(Destination destination, Credentials credentials)
    : destination_(std::move(destination)), credentials_(std::move(credentials)) {
    WSADATA data;
    winsockReady_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

FtpTransport::~FtpTransport() {
    if (control_) {
        const std::string quit = "QUIT\r\n";
        int error = 0;
        SendAll(control_.Get(), quit.data(), quit.size(), error);
        control_.Reset();
    }
    if (winsockReady_)
        ::WSACleanup();
}

std::string FtpTransport::ServerName() const {
    return destination_.host + ":" + std::to_string(destination_.port);
}

Failure FtpTransport::SocketFailure(int error) {
    return SocketLinkFailure(error, ServerName());
}

Failure FtpTransport::Dropped() {
    return LinkFailure(LinkProblem::ConnectionLost, ServerName(), "");
}

Failure FtpTransport::ReplyFailure(const std::string &what, const std::string &path,
                                   const Reply &reply) {
    if (reply.code == 0 && linkFailure_)
        return *linkFailure_;
    return FtpReplyFailure(what, path, reply.LastLine());
}

bool FtpTransport::ReadLine(std::string &line) {
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end + 1);
            pending_.erase(0, end + 1);
            return true;
        }
        char buffer[4096];
        const int got = ::recv(control_.Get(), buffer, sizeof buffer, 0);
        if (got <= 0) {
            linkFailure_ = got == 0 ? Dropped() : SocketFailure(::WSAGetLastError());
            control_.Reset();
            return false;
        }
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

// A reply is one line "ddd text", or lines from "ddd-text" to "ddd text".
bool FtpTransport::ReadReply(Reply &reply) {
    reply = Reply{};
    std::string line;
    if (!ReadLine(line))
        return false;
    reply.text = line;
    auto codeOf = [](const std::string &text) {
        if (text.size() < 3 || text[0] < '1' || text[0] > '5' || text[1] < '0' || text[1] > '9' ||
            text[2] < '0' || text[2] > '9')
            return 0;
        return std::atoi(text.substr(0, 3).c_str());
    };
    reply.code = codeOf(line);
    if (line.size() > 3 && line[3] == '-') {
        const std::string last = line.substr(0, 3) + " ";
        do {
            if (!ReadLine(line))
                return false;
            reply.text += line;
        } while (line.compare(0, 4, last) != 0);
    }
    return true;
}

bool FtpTransport::Command(const std::string &command, Reply &reply) {
    reply = Reply{};
    if (!control_) {
        if (!linkFailure_)
            linkFailure_ = Dropped();
        return false;
    }
    const std::string line = command + "\r\n";
    int error = 0;
    if (!SendAll(control_.Get(), line.data(), line.size(), error)) {
        linkFailure_ = SocketFailure(error);
        control_.Reset();
        return false;
    }
    return ReadReply(reply);
}

std::optional<Failure> FtpTransport::Connect() {
    control_.Reset();
    pending_.clear();
    linkFailure_.reset();
    if (!winsockReady_)
        return Failure{result::kInitFailed, "Windows Sockets " + DescribeError(::GetLastError()),
                       false};
    int error = 0;
    control_ = ConnectTcp(destination_.host, destination_.port, error);
    if (!control_)
        return SocketFailure(error);
    Reply greeting;
    do {
        if (!ReadReply(greeting))
            return *linkFailure_;
    } while (greeting.code == 120);  // "ready in a moment"
    if (greeting.code != 220)
        return ReplyFailure("Connection to", ServerName(), greeting);
    return std::nullopt;
}

std::optional<Failure> FtpTransport::LogIn() {
    const std::string user = credentials_.user.empty() ? "anonymous" : credentials_.user;
    const std::string password = credentials_.user.empty() && credentials_.password.empty()
                                     ? "webpost@"
                                     : credentials_.password;
    Reply reply;
    bool sent = Command("USER " + user, reply);
    if (sent && reply.code == 331)
        sent = Command("PASS " + password, reply);
    if (!sent)
        return *linkFailure_;
    if (reply.code != 230 && reply.code != 202) {
        Failure failure =
            FtpReplyFailure("Log-in as \"" + user + "\" at", ServerName(), reply.LastLine());
        if (reply.code == 530 || reply.code == 332)
            failure.cause += "\r\nThe server did not accept the user name and password.";
        return failure;
    }
    if (!Command("TYPE I", reply))
        return *linkFailure_;
    if (reply.code != 200)
        return ReplyFailure("TYPE I at", ServerName(), reply);
    utf8_ = ServerOffersUtf8();
    return std::nullopt;
}

// A server that takes UTF-8 names lists UTF8 among its features; some want
// to be told the client uses it (OPTS UTF8 ON), others refuse that option
// as needless, so its answer does not count.
bool FtpTransport::ServerOffersUtf8() {
    Reply features;
    if (!Command("FEAT", features) || features.code != 211)
        return false;
    const bool listed = FtpFeaturesListUtf8(features.text);
    if (listed) {
        Reply ignored;
        Command("OPTS UTF8 ON", ignored);
    }
    return listed && control_;
}

std::optional<Failure> FtpTransport::Open() {
    if (std::optional<Failure> failure = Connect())
        return failure;
    if (std::optional<Failure> failure = LogIn())
        return failure;
    // The destination's folder, made when missing (its parent must exist).
    const std::string root = ServerPath("");
    if (root == "/")
        return std::nullopt;
    return EnsureFolder(root.substr(0, root.size() - 1));
}

// A step retried after the connection dropped starts on a new one.
std::optional<Failure> FtpTransport::Reconnected() {
    if (control_)
        return std::nullopt;
    if (std::optional<Failure> failure = Connect())
        return failure;
    return LogIn();
}

// The destination's path from the URL is text of the system code page with
// escapes for bytes the server gets as they are.
std::string FtpTransport::ServerPath(const std::string &remote) const {
    if (utf8_)
        return FtpPath(Utf8FromCodePage(destination_.path), remote);
    return FtpPath(destination_.path, CodePageFromUtf8(remote));
}

std::optional<Failure> FtpTransport::EnsureFolder(const std::string &path) {
    Reply made;
    if (!Command("MKD " + path, made))
        return *linkFailure_;
    if (made.code == 257)
        return std::nullopt;
    // Already there? Going into it tells.
    Reply there;
    if (!Command("CWD " + path, there))
        return *linkFailure_;
    if (there.code == 250) {
        Command("CWD /", there);
        return std::nullopt;
    }
    return ReplyFailure("MKD", path, made);
}

std::optional<Failure> FtpTransport::MakeFolder(const std::string &remote) {
    if (std::optional<Failure> failure = Reconnected())
        return failure;
    return EnsureFolder(ServerPath(remote));
}

// Passive mode: the server names a port, on its own address; the address
// connected to is used (the one in a PASV reply may be a private one).
std::optional<Failure> FtpTransport::OpenDataConnection(platform::UniqueSocket &data) {
    sockaddr_storage server{};
    int length = sizeof server;
    if (::getpeername(control_.Get(), reinterpret_cast<sockaddr *>(&server), &length) ==
        SOCKET_ERROR)
        return SocketFailure(::WSAGetLastError());
    const bool v6 = server.ss_family == AF_INET6;
    Reply reply;
    if (!Command(v6 ? "EPSV" : "PASV", reply))
        return *linkFailure_;
    unsigned port = 0;
    if (v6 && reply.code == 229) {
        // "229 Entering Extended Passive Mode (|||port|)"
        const auto bars = reply.text.find("|||");
        if (bars != std::string::npos)
            port = static_cast<unsigned>(std::atoi(reply.text.c_str() + bars + 3));
    } else if (!v6 && reply.code == 227) {
        // "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)"
        const auto open = reply.text.find_first_of("0123456789", 4);
        unsigned n[6] = {};
        if (open != std::string::npos && std::sscanf(reply.text.c_str() + open, "%u,%u,%u,%u,%u,%u",
                                                     &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]) == 6)
            port = n[4] * 256 + n[5];
    }
    if (port == 0 || port > 65535)
        return ReplyFailure(v6 ? "EPSV at" : "PASV at", ServerName(), reply);
    if (v6)
        reinterpret_cast<sockaddr_in6 *>(&server)->sin6_port = htons(static_cast<u_short>(port));
    else
        reinterpret_cast<sockaddr_in *>(&server)->sin_port = htons(static_cast<u_short>(port));
    data.Reset(::socket(server.ss_family, SOCK_STREAM, IPPROTO_TCP));
    if (!data)
        return SocketFailure(::WSAGetLastError());
    SetSocketOptions(data.Get());
    if (::connect(data.Get(), reinterpret_cast<sockaddr *>(&server), length) == SOCKET_ERROR)
        return SocketFailure(::WSAGetLastError());
    return std::nullopt;
}

// Opens the transfer of `partial`, lets `send` write the data, and ends it;
// on failure the partial file is deleted when the connection still allows it.
std::optional<Failure> FtpTransport::Transfer(const std::string &partial, const std::string &final,
                                              const DataSender &send) {
    platform::UniqueSocket data;
    if (std::optional<Failure> failure = OpenDataConnection(data))
        return failure;
    Reply reply;
    if (!Command("STOR " + partial, reply))
        return *linkFailure_;
    if (reply.code != 150 && reply.code != 125)
        return ReplyFailure("STOR", final, reply);
    std::optional<Failure> failure = send(data.Get());
    // Closing the data connection ends the transfer; the server answers on
    // the control connection.
    ::shutdown(data.Get(), SD_SEND);
    data.Reset();
    const bool answered = ReadReply(reply);
    if (!failure && !answered)
        failure = *linkFailure_;
    if (!failure && reply.code != 226 && reply.code != 250)
        failure = ReplyFailure("STOR", final, reply);
    if (failure && control_) {
        Reply ignored;
        Command("DELE " + partial, ignored);
    }
    return failure;
}

// Sends the file to `partial`, counting the bytes as they go.
std::optional<Failure> FtpTransport::Store(HANDLE source, const std::string &localPath,
                                           const std::string &partial, const std::string &final,
                                           const ByteCounter &counter) {
    return Transfer(partial, final, [&](SOCKET data) -> std::optional<Failure> {
        std::vector<char> buffer(kChunk);
        std::uint64_t sent = 0;
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(source, buffer.data(), kChunk, &got, nullptr))
                return Failure{result::kPostFiles,
                               "The local file \"" + localPath + "\" cannot be read. " +
                                   DescribeError(::GetLastError()),
                               false};
            if (got == 0)
                return std::nullopt;
            int error = 0;
            if (!SendAll(data, buffer.data(), got, error))
                return SocketFailure(error);
            sent += got;
            counter(sent);
        }
    });
}

// RNFR and RNTO go in one write, and their two replies are read after.
std::optional<Failure> FtpTransport::Rename(const std::string &from, const std::string &to) {
    if (!control_)
        return linkFailure_ ? *linkFailure_ : Dropped();
    const std::string both = "RNFR " + from + "\r\nRNTO " + to + "\r\n";
    int error = 0;
    if (!SendAll(control_.Get(), both.data(), both.size(), error)) {
        linkFailure_ = SocketFailure(error);
        control_.Reset();
        return *linkFailure_;
    }
    Reply ready, renamed;
    if (!ReadReply(ready) || !ReadReply(renamed))
        return *linkFailure_;
    if (ready.code != 350)
        return ReplyFailure("RNFR", from, ready);
    if (renamed.code != 250)
        return ReplyFailure("RNTO", to, renamed);
    return std::nullopt;
}

std::optional<Failure> FtpTransport::PutFile(const std::string &localPath,
                                             const std::string &remote, std::uint64_t,
                                             const ByteCounter &counter) {
    if (std::optional<Failure> failure = Reconnected())
        return failure;
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
    if (std::optional<Failure> failure = Store(source.Get(), localPath, partial, final, counter))
        return failure;
    return RenameIntoPlace(partial, final);
}

std::optional<Failure> FtpTransport::RenameIntoPlace(const std::string &partial,
                                                     const std::string &final) {
    std::optional<Failure> failure = Rename(partial, final);
    if (!failure || !control_)
        return failure;
    // Servers that will not rename over an existing file: remove it first.
    Reply ignored;
    Command("DELE " + final, ignored);
    failure = Rename(partial, final);
    if (failure && control_)
        Command("DELE " + partial, ignored);
    return failure;
}

// As Store, from memory.
std::optional<Failure> FtpTransport::StoreBytes(const std::string &bytes,
                                                const std::string &partial,
                                                const std::string &final) {
    return Transfer(partial, final, [&](SOCKET data) -> std::optional<Failure> {
        int error = 0;
        if (!SendAll(data, bytes.data(), bytes.size(), error))
            return SocketFailure(error);
        return std::nullopt;
    });
}

std::optional<Failure> FtpTransport::PutBytes(const std::string &remote, const std::string &bytes) {
    if (std::optional<Failure> failure = Reconnected())
        return failure;
    const std::string final = ServerPath(remote);
    const std::string partial =
        Folder(final) + "/.partial-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    if (std::optional<Failure> failure = StoreBytes(bytes, partial, final))
        return failure;
    return RenameIntoPlace(partial, final);
}

Fetched FtpTransport::FetchFile(const std::string &remote, std::size_t limit) {
    Fetched fetched;
    fetched.state = FetchState::Unreadable;
    platform::UniqueSocket data;
    if (Reconnected() || OpenDataConnection(data))
        return fetched;
    Reply reply;
    if (!Command("RETR " + ServerPath(remote), reply))
        return fetched;
    // 550: no such file (or none we may read, which counts the same).
    if (reply.code == 550) {
        fetched.state = FetchState::Missing;
        return fetched;
    }
    if (reply.code != 150 && reply.code != 125)
        return fetched;
    bool whole = true;
    std::vector<char> buffer(kChunk);
    for (;;) {
        const int got = ::recv(data.Get(), buffer.data(), static_cast<int>(buffer.size()), 0);
        if (got == 0)
            break;
        if (got < 0 || fetched.bytes.size() + static_cast<std::size_t>(got) > limit) {
            whole = false;
            break;
        }
        fetched.bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    data.Reset();
    // The transfer's reply comes on the control connection, also after a
    // transfer cut short here (then it reports the abort).
    if (!ReadReply(reply) || !whole || (reply.code != 226 && reply.code != 250)) {
        fetched.bytes.clear();
        return fetched;
    }
    fetched.state = FetchState::Found;
    return fetched;
}

}  // namespace

std::unique_ptr<Transport> MakeFtpTransport(Destination destination, Credentials credentials) {
    return std::make_unique<FtpTransport>(std::move(destination), std::move(credentials));
}

}  // namespace webpost
