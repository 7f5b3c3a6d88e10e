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
#include <ostream>
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

// The WebDAV servers open to all (no user and password) and the ones that
// ask for Basic authentication, on nginx and on Apache; the FTP servers,
// pyftpdlib with a user and vsftpd with anonymous log-in.
ServerSettings DavServer(ServerAccount &account);
ServerSettings DavAccount(ServerAccount &account);
ServerSettings ApacheServer(ServerAccount &account);
ServerSettings ApacheAccount(ServerAccount &account);
ServerSettings FtpAccount(ServerAccount &account);
ServerSettings VsftpdAccount(ServerAccount &account);

// One of those servers by name, for tests that hold on each of them.
struct NamedServer {
    const char *name;
    ServerSettings (*find)(ServerAccount &account);
};
// gtest prints a parameter by its name.
inline std::ostream &operator<<(std::ostream &out, const NamedServer &server) {
    return out << server.name;
}
extern const NamedServer kOpenDavServers[2];
extern const NamedServer kDavAccounts[2];
extern const NamedServer kFtpServers[2];

// One variable's value, or false with the missing server reported (skipped,
// or failed under CI) for the running test.
bool ServerSetting(const char *variable, std::string &value);

}  // namespace testsupport
