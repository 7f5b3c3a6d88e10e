#pragma once
// A plain GET as a browser makes it, to check what a WebDAV server serves
// under a URL (given already percent-encoded), independent of how the post
// put it there.

#include <string>

namespace testsupport {

struct HttpAnswer {
    unsigned status = 0;  // 0 when no answer came
    std::string body;
};

HttpAnswer HttpGet(const std::string &url);

}  // namespace testsupport
