#include "webpost_library.h"

namespace testsupport {

WebPostLibrary::WebPostLibrary() : module_(::LoadLibraryA("WEBPOST.DLL")) {
    if (!module_)
        return;
    post_ = reinterpret_cast<PostFn>(
        reinterpret_cast<void *>(::GetProcAddress(module_.Get(), "WpPostA")));
    errorString_ = reinterpret_cast<ErrorStringFn>(
        reinterpret_cast<void *>(::GetProcAddress(module_.Get(), "WpGetErrorStringA")));
}

std::string WebPostLibrary::ErrorText(DWORD code) const {
    std::vector<char> buffer(2049, '\0');
    DWORD length = 2048;
    if (errorString_(code, buffer.data(), &length) != 0)
        return {};
    buffer[length] = '\0';
    return buffer.data();
}

PostAnswer WebPostLibrary::Run(const PostCall &call) const {
    std::vector<std::vector<char>> pathBuffers;
    std::vector<LPSTR> paths;
    for (const std::string &p : call.paths) {
        pathBuffers.emplace_back(p.begin(), p.end());
        pathBuffers.back().push_back('\0');
    }
    for (auto &b : pathBuffers)
        paths.push_back(b.data());
    std::vector<char> site(std::max<size_t>(260, call.siteName.size() + 1) + 16, '\xbd');
    std::vector<char> url(std::max<size_t>(260, call.url.size() + 1) + 16, '\xbd');
    std::copy(call.siteName.begin(), call.siteName.end(), site.begin());
    site[call.siteName.size()] = '\0';
    std::copy(call.url.begin(), call.url.end(), url.begin());
    url[call.url.size()] = '\0';

    PostAnswer answer;
    answer.siteLength = call.siteLength;
    answer.urlLength = call.urlLength;
    answer.code =
        post_(call.owner, static_cast<DWORD>(paths.size()), paths.empty() ? nullptr : paths.data(),
              &answer.siteLength, site.data(), &answer.urlLength, url.data(), call.flags);
    answer.siteName.assign(site.data(), strnlen(site.data(), site.size()));
    answer.url.assign(url.data(), strnlen(url.data(), url.size()));
    if (answer.code != 0)
        answer.errorText = ErrorText(answer.code);
    return answer;
}

}  // namespace testsupport
