#pragma once
// Windows Sockets sockets in the one handle owner. Users link ws2_32 and
// include this before <windows.h> (the sockets header must come first).

#include <winsock2.h>

#include "platform/unique_handle.h"

namespace platform {

struct SocketTraits {
    using Handle = SOCKET;
    static SOCKET Invalid() noexcept { return INVALID_SOCKET; }
    static void Close(SOCKET socket) noexcept { ::closesocket(socket); }
};

using UniqueSocket = UniqueHandle<SocketTraits>;

}  // namespace platform
