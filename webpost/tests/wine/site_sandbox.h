// Stored sites for one test, in the prefix's real registry, under names that
// carry the test process's id (tests run side by side in one prefix), deleted
// before and after.
#ifndef WEBPOST_TESTS_SITE_SANDBOX_H
#define WEBPOST_TESTS_SITE_SANDBOX_H

#include <windows.h>

#include <string>
#include <vector>

namespace webpost_test {

class SiteSandbox {
public:
    SiteSandbox() { Clear(); }
    ~SiteSandbox() { Clear(); }
    // A name unique to this test process.
    static std::string Name(const std::string &tag) {
        return "webpost-test-" + std::to_string(::GetCurrentProcessId()) + "-" + tag;
    }
    // Writes a site as the library stores it; `passwordBlob` is REG_BINARY.
    void Store(const std::string &name, const std::string &url, const std::string &kind,
               const std::string &user = "", const std::string &certSha256 = "",
               const std::string &passwordBlob = "");
    // A value of a stored site, or "<missing>".
    std::string Value(const std::string &name, const char *value) const;

private:
    void Clear();
    std::vector<std::string> names_;
};

}  // namespace webpost_test

#endif
