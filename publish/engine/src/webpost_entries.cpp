#include "webpost_entries.h"

#include "webpost_fault_guard.h"

namespace zephyne {

namespace {

using WpPostAProc = HRESULT(WINAPI *)(HWND, DWORD, LPSTR *, LPDWORD, LPSTR, LPDWORD, LPSTR, DWORD);
using WpGetErrorStringAProc = UINT(WINAPI *)(UINT, LPSTR, DWORD *);

// The binding is process-wide by nature: the library, once loaded, stays
// for the life of the process.
HMODULE library = nullptr;
WpPostAProc wpPost = nullptr;
WpGetErrorStringAProc wpGetErrorString = nullptr;

FARPROC BindEntry(const char *name) {
    if (!library)
        library = ::LoadLibraryA("WEBPOST.DLL");
    return library ? ::GetProcAddress(library, name) : nullptr;
}

struct PostArguments {
    HWND owner;
    DWORD pathCount;
    char **localPaths;
    DWORD *siteNameLength;
    char *siteName;
    DWORD *urlLength;
    char *url;
    DWORD flags;
    HRESULT result;
};

struct ErrorStringArguments {
    uint32_t code;
    char *buffer;
    DWORD *length;
    UINT result;
};

}  // namespace

bool CallWpPostA(HWND owner, DWORD pathCount, char **localPaths, DWORD *siteNameLength,
                 char *siteName, DWORD *urlLength, char *url, DWORD flags, uint32_t &result) {
    if (!wpPost)
        wpPost = reinterpret_cast<WpPostAProc>(reinterpret_cast<void *>(BindEntry("WpPostA")));
    if (!wpPost)
        return false;
    PostArguments args{owner, pathCount, localPaths, siteNameLength, siteName, urlLength,
                       url,   flags,     0};
    bool completed = RunFaultGuarded(
        [](void *context) {
            auto *a = static_cast<PostArguments *>(context);
            a->result = wpPost(a->owner, a->pathCount, a->localPaths, a->siteNameLength,
                               a->siteName, a->urlLength, a->url, a->flags);
        },
        &args);
    if (!completed)
        return false;
    result = static_cast<uint32_t>(args.result);
    return true;
}

bool CallWpGetErrorStringA(uint32_t code, char *buffer, DWORD *length, uint32_t &result) {
    if (!wpGetErrorString)
        wpGetErrorString = reinterpret_cast<WpGetErrorStringAProc>(
            reinterpret_cast<void *>(BindEntry("WpGetErrorStringA")));
    if (!wpGetErrorString)
        return false;
    ErrorStringArguments args{code, buffer, length, 0};
    bool completed = RunFaultGuarded(
        [](void *context) {
            auto *a = static_cast<ErrorStringArguments *>(context);
            a->result = wpGetErrorString(a->code, a->buffer, a->length);
        },
        &args);
    if (!completed)
        return false;
    result = args.result;
    return true;
}

bool WebPostLoaded() {
    return ::GetModuleHandleA("WEBPOST.DLL") != nullptr;
}

}  // namespace zephyne
