#include "http_connection.h"

#include <windows.h>
#include <ws2tcpip.h>

#include "socket_link.h"

namespace webpost {

namespace {

LinkTrouble Error(int error) {
    LinkTrouble trouble;
    trouble.error = error ? error : WSAECONNRESET;
    return trouble;
}

}  // namespace

HttpConnection::HttpConnection(std::string host, std::uint16_t port)
    : host_(std::move(host)), port_(port) {
    WSADATA data;
    winsockReady_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

HttpConnection::~HttpConnection() {
    socket_.Reset();
    if (winsockReady_)
        ::WSACleanup();
}

std::string HttpConnection::ServerName() const {
    return host_ + ":" + std::to_string(port_);
}

std::string HttpConnection::HostHeader() const {
    const std::string host = host_.find(':') != std::string::npos ? "[" + host_ + "]" : host_;
    return port_ == 80 ? host : host + ":" + std::to_string(port_);
}

void HttpConnection::Close() {
    socket_.Reset();
    pending_.clear();
    answers_ = 0;
}

LinkTrouble HttpConnection::Open() {
    if (socket_)
        return {};
    Close();
    if (!winsockReady_)
        return Error(WSANOTINITIALISED);
    int error = 0;
    socket_ = ConnectTcp(host_, port_, error);
    return socket_ ? LinkTrouble{} : Error(error);
}

LinkTrouble HttpConnection::Send(const char *data, std::size_t size) {
    while (size > 0) {
        const int chunk = size > 0x40000000 ? 0x40000000 : static_cast<int>(size);
        const int sent = ::send(socket_.Get(), data, chunk, 0);
        if (sent == SOCKET_ERROR)
            return Error(::WSAGetLastError());
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return {};
}

LinkTrouble HttpConnection::Receive(HttpAnswerReader &reader, bool &heard) {
    heard = !pending_.empty();
    std::size_t used = reader.Feed(pending_.data(), pending_.size());
    pending_.erase(0, used);
    char buffer[16384];
    while (!reader.Complete() && !reader.Malformed()) {
        const int got = ::recv(socket_.Get(), buffer, sizeof buffer, 0);
        if (got == SOCKET_ERROR) {
            const int error = ::WSAGetLastError();
            Close();
            return Error(error);
        }
        if (got == 0) {
            reader.FeedEnd();
            Close();
            if (reader.Complete())
                return {};
            LinkTrouble trouble;
            trouble.closed = true;
            return trouble;
        }
        heard = true;
        used = reader.Feed(buffer, static_cast<std::size_t>(got));
        pending_.append(buffer + used, static_cast<std::size_t>(got) - used);
    }
    if (reader.Malformed()) {
        Close();
        LinkTrouble trouble;
        trouble.malformed = true;
        return trouble;
    }
    ++answers_;
    if (!reader.KeepAlive())
        Close();
    return {};
}

}  // namespace webpost
