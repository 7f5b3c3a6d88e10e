#include "webdav_request.h"

#include "utf8_text.h"
#include "win32_error.h"

namespace webpost {

Failure UnreadableFile(const std::string &localPath, DWORD error) {
    return Failure{result::kPostFiles,
                   "The local file \"" + localPath + "\" cannot be read. " + DescribeError(error),
                   false};
}

std::optional<Failure> OpenBody(const Body &body, platform::UniqueFile &file) {
    if (body.size > 0xFFFFFFFFull)
        return Failure{result::kPostFiles,
                       "The file \"" + *body.localPath + "\" is larger than 4 GB.", false};
    if (!body.localPath)
        return std::nullopt;
    file.Reset(::CreateFileW(WideFromUtf8(*body.localPath).c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return UnreadableFile(*body.localPath, ::GetLastError());
    return std::nullopt;
}

}  // namespace webpost
