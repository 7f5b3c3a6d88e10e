#include "framework/res_string.h"

#include "framework/app.h"
#include "platform/code_page.h"

namespace fw {

std::string LoadResString(HMODULE module, UINT id) {
    // With no buffer, the loader hands out the resource's own text and its
    // length, so strings of any length come through whole.
    const wchar_t *text = nullptr;
    int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    return platform::WideToCodePage({text, static_cast<size_t>(length)});
}

std::string LoadResString(UINT id) {
    CApp *app = CApp::Current();
    return LoadResString(app ? app->GetResourceModule() : ::GetModuleHandleA(nullptr), id);
}

std::string SubstituteArg(const std::string &pattern, const std::string &arg) {
    std::string result;
    size_t from = 0;
    for (size_t at; (at = pattern.find("%1", from)) != std::string::npos; from = at + 2) {
        result.append(pattern, from, at - from);
        result += arg;
    }
    result.append(pattern, from, std::string::npos);
    return result;
}

std::string FormatResString(UINT id, const std::string &arg) {
    return SubstituteArg(LoadResString(id), arg);
}

}  // namespace fw
