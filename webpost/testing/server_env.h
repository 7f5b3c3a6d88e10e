#pragma once
// The servers with-servers started, as the tests see them: their addresses,
// folders and accounts in WEBPOST_TEST_* variables. A test that needs a
// server and finds it missing says so with REQUIRE_PREREQUISITE:
//
//     testsupport::ServerAccount dav;
//     const testsupport::ServerSettings servers = testsupport::DavServer(dav);
//     REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
//
// Other variables are read the same way, with ServerSettings' own list.

#include <initializer_list>
#include <string>
#include <utility>

namespace testsupport {

class ServerSettings {
public:
    // Reads each variable into its string.
    explicit ServerSettings(std::initializer_list<std::pair<const char *, std::string *>> wanted);
    // True when every variable was set.
    bool Found() const { return missing_.empty(); }
    // The variables that were not set, and why with-servers left them out.
    std::string Missing() const;

private:
    std::string missing_;
};

// A server with an account: its address, the folder it serves (as a path in
// the prefix), and who logs in.
struct ServerAccount {
    std::string url;
    std::string root;
    std::string user;
    std::string password;
};

// The WebDAV server open to all (no user and password), the one that asks
// for Basic authentication, and the FTP server.
ServerSettings DavServer(ServerAccount &account);
ServerSettings DavAccount(ServerAccount &account);
ServerSettings FtpAccount(ServerAccount &account);

// One variable's value, or false with the missing server reported (skipped,
// or failed under CI) for the running test.
bool ServerSetting(const char *variable, std::string &value);

}  // namespace testsupport
