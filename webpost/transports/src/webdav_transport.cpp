#include "webdav_plain.h"

#include "webdav_transport.h"

#include <windows.h>
#include <wincrypt.h>
#include <winhttp.h>

#include <memory>
#include <vector>

#include "digest.h"
#include "fingerprint.h"
#include "platform/code_page.h"
#include "platform/win32_handles.h"
#include "platform/winhttp_handle.h"
#include "remote_path.h"
#include "webdav_request.h"
#include "server_answer.h"
#include "utf8_text.h"
#include "win32_error.h"

namespace webpost {

namespace {

class WebDavTransport : public Transport {
public:
    WebDavTransport(Destination destination, Credentials credentials, std::string certSha256);
    std::optional<Failure> Open() override;
    std::optional<Failure> MakeFolder(const std::string &remote) override;
    std::optional<Failure> PutFile(const std::string &localPath, const std::string &remote,
                                   std::uint64_t size, const ByteCounter &counter) override;
    Fetched FetchFile(const std::string &remote, std::size_t limit) override;
    std::optional<Failure> PutBytes(const std::string &remote, const std::string &bytes) override;

private:
    std::optional<Failure> Request(const char *verb, const std::string &path, const Body &body,
                                   Answer &answer);
    std::optional<Failure> RequestOnce(const char *verb, const std::string &path, const Body &body,
                                       Answer &answer);
    platform::UniqueWinHttp OpenRequest(const char *verb, const std::string &path, bool hasBody,
                                        bool pinned) const;
    std::string RequestHeaders(bool hasBody) const;
    std::optional<Failure> Send(HINTERNET request, const Body &body, bool pinned);
    std::optional<Failure> StreamBody(HINTERNET request, HANDLE file, const Body &body);
    std::optional<Failure> ReadAnswer(HINTERNET request, Answer &answer);
    std::optional<Failure> CheckPinnedCertificate(HINTERNET request);
    std::optional<Failure> LinkError(DWORD error);
    std::string ServerName() const;

    Destination destination_;
    // The destination's path as sent: UTF-8, percent-encoded.
    std::string base_;
    Credentials credentials_;
    std::string certSha256_;
    bool sendAuthorization_ = false;
    // Declared in this order so that the connection is closed before its session.
    platform::UniqueWinHttp session_;
    platform::UniqueWinHttp connection_;
    // http:// goes on Windows Sockets, over one kept-alive connection;
    // https:// on WinHTTP, which brings the secure channel.
    std::unique_ptr<HttpConnection> plain_;
};

constexpr int kConnectTimeoutMs = 10000;
constexpr int kTransferTimeoutMs = 60000;

// Reads what is left of the answer, so that the connection can carry the
// next request; into `body` when wanted, up to `limit` bytes.
void DrainAnswer(HINTERNET request, Answer &answer) {
    const bool keep = answer.body && answer.status >= 200 && answer.status < 300;
    char buffer[16384];
    for (int i = 0; keep || i < 256; ++i) {
        DWORD read = 0;
        if (!::WinHttpReadData(request, buffer, sizeof buffer, &read) || read == 0)
            return;
        if (!keep)
            continue;
        if (answer.body->size() + read > answer.limit) {
            answer.tooLarge = true;
            return;
        }
        answer.body->append(buffer, read);
    }
}

}  // namespace

WebDavTransport::WebDavTransport(Destination destination, Credentials credentials,
                                 std::string certSha256)
    : destination_(std::move(destination)),
      base_(EscapeUrlPath(Utf8FromCodePage(destination_.path))),
      credentials_(std::move(credentials)), certSha256_(std::move(certSha256)) {
    if (!destination_.secure)
        plain_ = std::make_unique<HttpConnection>(destination_.host, destination_.port);
}

std::string WebDavTransport::ServerName() const {
    return destination_.host + ":" + std::to_string(destination_.port);
}

std::optional<Failure> WebDavTransport::LinkError(DWORD error) {
    HMODULE messages = ::GetModuleHandleA("winhttp.dll");
    const std::string detail = DescribeError(error, messages);
    switch (error) {
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return LinkFailure(LinkProblem::CannotConnect, ServerName(), detail);
    case ERROR_WINHTTP_CONNECTION_ERROR:
        return LinkFailure(LinkProblem::ConnectionLost, ServerName(), detail);
    case ERROR_WINHTTP_TIMEOUT:
        return LinkFailure(LinkProblem::TimedOut, ServerName(), detail);
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
        return LinkFailure(LinkProblem::CertificateNotTrusted, ServerName(), detail);
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
        return LinkFailure(LinkProblem::SecureChannel, ServerName(), detail);
    default:
        return LinkFailure(LinkProblem::Other, ServerName(), detail);
    }
}

std::optional<Failure> WebDavTransport::Open() {
    if (!plain_ && !session_) {
        session_.Reset(::WinHttpOpen(L"WebPost/1.0", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
        if (!session_)
            return Failure{result::kInitFailed, "WinHTTP " + DescribeError(::GetLastError()),
                           false};
        ::WinHttpSetTimeouts(session_.Get(), kConnectTimeoutMs, kConnectTimeoutMs,
                             kTransferTimeoutMs, kTransferTimeoutMs);
    }
    if (!plain_ && !connection_) {
        connection_.Reset(::WinHttpConnect(session_.Get(),
                                           platform::CodePageToWide(destination_.host).c_str(),
                                           destination_.port, 0));
        if (!connection_)
            return LinkError(::GetLastError());
    }
    if (!certSha256_.empty() && !ParseFingerprint(certSha256_))
        return Failure{result::kSiteCorrupt,
                       "The trusted certificate fingerprint \"" + certSha256_ +
                           "\" is not a "
                           "SHA-256 fingerprint.",
                       false};
    // The destination's own folder: made when missing (its parent must
    // exist), accepted when there; this first request also finds out whether
    // the server wants a password and whether its certificate is trusted.
    if (base_ == "/")
        return std::nullopt;
    std::string root = base_;
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    Answer answer;
    if (std::optional<Failure> failure = Request("MKCOL", root + "/", Body{}, answer))
        return failure;
    return DavStatusFailure(DavRequest::MakeFolder, answer.status, answer.reason, root + "/");
}

std::optional<Failure> WebDavTransport::MakeFolder(const std::string &remote) {
    const std::string path = HttpPath(base_, remote) + "/";
    Answer answer;
    if (std::optional<Failure> failure = Request("MKCOL", path, Body{}, answer))
        return failure;
    return DavStatusFailure(DavRequest::MakeFolder, answer.status, answer.reason, path);
}

std::optional<Failure> WebDavTransport::PutFile(const std::string &localPath,
                                                const std::string &remote, std::uint64_t size,
                                                const ByteCounter &counter) {
    const std::string path = HttpPath(base_, remote);
    Answer answer;
    Body body{&localPath, size, &counter};
    if (std::optional<Failure> failure = Request("PUT", path, body, answer))
        return failure;
    return DavStatusFailure(DavRequest::PutFile, answer.status, answer.reason, path);
}

Fetched WebDavTransport::FetchFile(const std::string &remote, std::size_t limit) {
    Fetched fetched;
    Answer answer;
    answer.body = &fetched.bytes;
    answer.limit = limit;
    if (Request("GET", HttpPath(base_, remote), Body{}, answer)) {
        fetched.state = FetchState::Unreadable;
    } else if (answer.status == 404 || answer.status == 410) {
        fetched.state = FetchState::Missing;
    } else {
        fetched.state =
            answer.status == 200 && !answer.tooLarge ? FetchState::Found : FetchState::Unreadable;
    }
    if (fetched.state != FetchState::Found)
        fetched.bytes.clear();
    return fetched;
}

std::optional<Failure> WebDavTransport::PutBytes(const std::string &remote,
                                                 const std::string &bytes) {
    const std::string path = HttpPath(base_, remote);
    Answer answer;
    Body body;
    body.bytes = &bytes;
    body.size = bytes.size();
    if (std::optional<Failure> failure = Request("PUT", path, body, answer))
        return failure;
    return DavStatusFailure(DavRequest::PutFile, answer.status, answer.reason, path);
}

std::optional<Failure> WebDavTransport::Request(const char *verb, const std::string &path,
                                                const Body &body, Answer &answer) {
    std::optional<Failure> failure = RequestOnce(verb, path, body, answer);
    if (!failure && answer.status == 401 && answer.basicOffered && !sendAuthorization_ &&
        !credentials_.user.empty()) {
        // The server asks: answer with Basic from now on.
        sendAuthorization_ = true;
        if (answer.body)
            answer.body->clear();
        failure = RequestOnce(verb, path, body, answer);
    }
    return failure;
}

std::optional<Failure> WebDavTransport::CheckPinnedCertificate(HINTERNET request) {
    PCCERT_CONTEXT certificate = nullptr;
    DWORD size = sizeof certificate;
    if (!::WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &certificate, &size) ||
        !certificate)
        return LinkFailure(LinkProblem::CertificateNotTrusted, ServerName(),
                           "Its certificate cannot be read.");
    const std::vector<std::uint8_t> digest =
        Sha256(certificate->pbCertEncoded, certificate->cbCertEncoded);
    ::CertFreeCertificateContext(certificate);
    if (digest.empty())
        return LinkFailure(LinkProblem::CertificateNotTrusted, ServerName(),
                           "Its fingerprint cannot be computed.");
    if (digest != *ParseFingerprint(certSha256_))
        return LinkFailure(LinkProblem::CertificateNotTrusted, ServerName(),
                           "Its SHA-256 fingerprint is " + FormatFingerprint(digest) +
                               ", not the one the site trusts.");
    return std::nullopt;
}

// One request and its answer, in three steps: the request set up (with the
// certificate rules), the headers and body sent, the answer read.
std::optional<Failure> WebDavTransport::RequestOnce(const char *verb, const std::string &path,
                                                    const Body &body, Answer &answer) {
    if (plain_)
        return PlainRequest(*plain_, verb, path, RequestHeaders(body.Present()), body, answer);
    const bool pinned = destination_.secure && !certSha256_.empty();
    platform::UniqueWinHttp request = OpenRequest(verb, path, body.Present(), pinned);
    if (!request)
        return LinkError(::GetLastError());
    if (std::optional<Failure> failure = Send(request.Get(), body, pinned))
        return failure;
    return ReadAnswer(request.Get(), answer);
}

platform::UniqueWinHttp WebDavTransport::OpenRequest(const char *verb, const std::string &path,
                                                     bool hasBody, bool pinned) const {
    platform::UniqueWinHttp request(::WinHttpOpenRequest(
        connection_.Get(), platform::CodePageToWide(verb).c_str(),
        platform::CodePageToWide(path).c_str(), nullptr, WINHTTP_NO_REFERER,
        WINHTTP_DEFAULT_ACCEPT_TYPES, destination_.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request)
        return request;
    // Each request on a fresh connection. On a kept-alive one a PUT's body,
    // sent after the headers in a second segment, waits for the server's
    // delayed acknowledgement of the headers (some 40 ms a file here); a new
    // connection's first segments are acknowledged at once, and a loopback
    // or LAN handshake costs far less than that wait. Requests without a
    // body close theirs too: a connection they left open would be taken by
    // the next PUT.
    (void)hasBody;
    DWORD feature = WINHTTP_DISABLE_KEEP_ALIVE;
    ::WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &feature, sizeof feature);
    if (pinned) {
        // The platform would refuse a self-signed certificate; the pin
        // checked after sending the headers takes its place and is
        // stricter: only this one certificate.
        DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                      SECURITY_FLAG_IGNORE_CERT_DATE_INVALID |
                      SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE;
        ::WinHttpSetOption(request.Get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
    }
    return request;
}

std::string WebDavTransport::RequestHeaders(bool hasBody) const {
    std::string headers;
    if (sendAuthorization_)
        headers = "Authorization: Basic " +
                  Base64Encode(credentials_.user + ":" + credentials_.password) + "\r\n";
    if (hasBody)
        headers += "Content-Type: application/octet-stream\r\n";
    return headers;
}

std::optional<Failure> WebDavTransport::Send(HINTERNET request, const Body &body, bool pinned) {
    const std::wstring headers = platform::CodePageToWide(RequestHeaders(body.Present()));
    platform::UniqueFile file;
    if (std::optional<Failure> failure = OpenBody(body, file))
        return failure;
    const DWORD total = static_cast<DWORD>(body.size);
    if (body.bytes) {
        // From memory (small): in the same call as the headers, unless a
        // pinned certificate must be checked before any body leaves.
        void *data = const_cast<char *>(body.bytes->data());
        if (!::WinHttpSendRequest(
                request, headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                headers.empty() ? 0 : static_cast<DWORD>(-1),
                pinned ? WINHTTP_NO_REQUEST_DATA : data, pinned ? 0 : total, total, 0))
            return LinkError(::GetLastError());
        if (pinned) {
            if (std::optional<Failure> failure = CheckPinnedCertificate(request))
                return failure;
            DWORD written = 0;
            if (total && !::WinHttpWriteData(request, data, total, &written))
                return LinkError(::GetLastError());
        }
        return std::nullopt;
    }
    // A small body goes out in the same call as the headers, which saves a
    // write and its wait per file; a pinned certificate must be checked
    // before any body leaves, so pinned posts always stream.
    const bool inOneCall = body.localPath && !pinned && body.size <= kOneCallLimit;
    std::vector<char> whole;
    if (inOneCall) {
        whole.resize(static_cast<std::size_t>(body.size));
        DWORD got = 0;
        if (body.size &&
            (!::ReadFile(file.Get(), whole.data(), total, &got, nullptr) || got != total))
            return UnreadableFile(*body.localPath, ::GetLastError());
    }
    if (!::WinHttpSendRequest(
            request, headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
            headers.empty() ? 0 : static_cast<DWORD>(-1),
            inOneCall ? whole.data() : WINHTTP_NO_REQUEST_DATA, inOneCall ? total : 0, total, 0))
        return LinkError(::GetLastError());
    if (pinned) {
        if (std::optional<Failure> failure = CheckPinnedCertificate(request))
            return failure;
    }
    if (inOneCall)
        (*body.counter)(body.size);
    else if (body.localPath)
        return StreamBody(request, file.Get(), body);
    return std::nullopt;
}

std::optional<Failure> WebDavTransport::StreamBody(HINTERNET request, HANDLE file,
                                                   const Body &body) {
    std::vector<char> buffer(kChunk);
    std::uint64_t sent = 0;
    while (sent < body.size) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer.data(), kChunk, &got, nullptr))
            return UnreadableFile(*body.localPath, ::GetLastError());
        if (got == 0)
            return Failure{result::kPostFiles,
                           "The local file \"" + *body.localPath + "\" became shorter.", false};
        DWORD written = 0;
        if (!::WinHttpWriteData(request, buffer.data(), got, &written))
            return LinkError(::GetLastError());
        sent += got;
        (*body.counter)(sent);
    }
    return std::nullopt;
}

std::optional<Failure> WebDavTransport::ReadAnswer(HINTERNET request, Answer &answer) {
    if (!::WinHttpReceiveResponse(request, nullptr))
        return LinkError(::GetLastError());
    DWORD status = 0;
    DWORD size = sizeof status;
    ::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    wchar_t reason[256] = {};
    size = sizeof reason - sizeof reason[0];
    if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX,
                               reason, &size, WINHTTP_NO_HEADER_INDEX))
        reason[0] = L'\0';
    answer.status = status;
    answer.reason = Utf8FromWide(reason);
    DrainAnswer(request, answer);
    return std::nullopt;
}

std::unique_ptr<Transport> MakeWebDavTransport(Destination destination, Credentials credentials,
                                               std::string certSha256) {
    return std::make_unique<WebDavTransport>(std::move(destination), std::move(credentials),
                                             std::move(certSha256));
}

}  // namespace webpost
