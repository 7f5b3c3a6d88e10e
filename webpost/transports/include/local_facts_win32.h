#pragma once
// What a publish needs to know of local files beyond the plan, from the
// platform: a step's name for the site's memory (the plan's names are
// UTF-8 already, see utf8_text.h), and a file's SHA-256.

#include "post_run.h"

namespace webpost {

class Win32LocalFacts : public LocalFacts {
public:
    std::optional<std::string> ManifestPath(const std::string &remote) override;
    std::optional<std::string> Sha256Hex(const std::string &localPath) override;
};

}  // namespace webpost
