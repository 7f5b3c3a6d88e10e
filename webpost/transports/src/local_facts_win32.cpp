#include "local_facts_win32.h"

#include <windows.h>

#include "digest.h"
#include "platform/code_page.h"

namespace webpost {

std::optional<std::string> Win32LocalFacts::ManifestPath(const std::string &remote) {
    const std::string utf8 = platform::WideToCodePage(platform::CodePageToWide(remote), CP_UTF8);
    if (utf8.empty())
        return std::nullopt;
    return utf8;
}

std::optional<std::string> Win32LocalFacts::Sha256Hex(const std::string &localPath) {
    return Sha256OfFile(localPath);
}

}  // namespace webpost
