// Stored sites for one test, under names of their own, deleted before and
// after, in the prefix's real registry.
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
    // A name unique to this test run.
    static std::string Name(const std::string &tag) { return "webpost-test-" + tag; }
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
