// The servers with-servers started, as the tests see them. A test that needs
// one and finds it missing is skipped, or fails when CI is set: a run that
// installs everything must never pass by skipping.
#ifndef WEBPOST_TESTS_SERVER_ENV_H
#define WEBPOST_TESTS_SERVER_ENV_H

#include <string>

namespace webpost_test {

// The variable's value; when unset, records the skip (or the failure under
// CI) for the running test and returns false: the test then returns.
bool ServerSetting(const char *variable, std::string &value);

// The platform's data protection of `password` for the current user, as a
// stored site keeps it.
std::string ProtectedPassword(const std::string &password);
// And back; empty when `blob` cannot be unprotected.
std::string UnprotectedPassword(const std::string &blob);

}  // namespace webpost_test

#endif
