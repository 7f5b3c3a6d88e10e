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

}  // namespace testsupport

namespace webpost_test {

bool ServerSetting(const char *variable, std::string &value) {
    const testsupport::ServerSettings servers({{variable, &value}});
    [&servers] { REQUIRE_PREREQUISITE(servers.Found(), servers.Missing()); }();
    return servers.Found();
}

}  // namespace webpost_test
