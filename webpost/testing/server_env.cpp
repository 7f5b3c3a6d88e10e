#include "server_env.h"

#include <cstdlib>

#include "prerequisite.h"

namespace testsupport {

ServerSettings::ServerSettings(
    std::initializer_list<std::pair<const char *, std::string *>> wanted) {
    for (const auto &[variable, value] : wanted) {
        const char *found = std::getenv(variable);
        if (found && *found)
            *value = found;
        else
            missing_ += std::string(missing_.empty() ? "" : ", ") + variable;
    }
}

std::string ServerSettings::Missing() const {
    const char *why = std::getenv("WEBPOST_TEST_SERVERS_MISSING");
    return missing_ + " not set (" + (why ? why : "the program was not run through with-servers") +
           ")";
}

ServerSettings DavServer(ServerAccount &account) {
    return ServerSettings(
        {{"WEBPOST_TEST_DAV_URL", &account.url}, {"WEBPOST_TEST_DAV_ROOT", &account.root}});
}

ServerSettings DavAccount(ServerAccount &account) {
    return ServerSettings({{"WEBPOST_TEST_DAV_AUTH_URL", &account.url},
                           {"WEBPOST_TEST_DAV_AUTH_ROOT", &account.root},
                           {"WEBPOST_TEST_DAV_USER", &account.user},
                           {"WEBPOST_TEST_DAV_PASSWORD", &account.password}});
}

ServerSettings ApacheServer(ServerAccount &account) {
    return ServerSettings(
        {{"WEBPOST_TEST_APACHE_URL", &account.url}, {"WEBPOST_TEST_APACHE_ROOT", &account.root}});
}

ServerSettings ApacheAccount(ServerAccount &account) {
    return ServerSettings({{"WEBPOST_TEST_APACHE_AUTH_URL", &account.url},
                           {"WEBPOST_TEST_APACHE_AUTH_ROOT", &account.root},
                           {"WEBPOST_TEST_APACHE_USER", &account.user},
                           {"WEBPOST_TEST_APACHE_PASSWORD", &account.password}});
}

ServerSettings VsftpdAccount(ServerAccount &account) {
    return ServerSettings({{"WEBPOST_TEST_VSFTPD_URL", &account.url},
                           {"WEBPOST_TEST_VSFTPD_ROOT", &account.root},
                           {"WEBPOST_TEST_VSFTPD_USER", &account.user},
                           {"WEBPOST_TEST_VSFTPD_PASSWORD", &account.password}});
}

const NamedServer kOpenDavServers[2] = {{"nginx", DavServer}, {"Apache", ApacheServer}};
const NamedServer kDavAccounts[2] = {{"nginx", DavAccount}, {"Apache", ApacheAccount}};
const NamedServer kFtpServers[2] = {{"pyftpdlib", FtpAccount}, {"vsftpd", VsftpdAccount}};

ServerSettings FtpAccount(ServerAccount &account) {
    return ServerSettings({{"WEBPOST_TEST_FTP_URL", &account.url},
                           {"WEBPOST_TEST_FTP_ROOT", &account.root},
                           {"WEBPOST_TEST_FTP_USER", &account.user},
                           {"WEBPOST_TEST_FTP_PASSWORD", &account.password}});
}

bool ServerSetting(const char *variable, std::string &value) {
    const ServerSettings servers({{variable, &value}});
    [&servers] { REQUIRE_PREREQUISITE(servers.Found(), servers.Missing()); }();
    return servers.Found();
}

}  // namespace testsupport
