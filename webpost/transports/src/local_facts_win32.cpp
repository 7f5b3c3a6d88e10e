#include "local_facts_win32.h"

#include "digest.h"

namespace webpost {

// The memory checks that the name is valid UTF-8 (RepresentablePath): a
// name that is not is sent every time.
std::optional<std::string> Win32LocalFacts::ManifestPath(const std::string &remote) {
    return remote;
}

std::optional<std::string> Win32LocalFacts::Sha256Hex(const std::string &localPath) {
    return Sha256OfFile(localPath);
}

}  // namespace webpost
