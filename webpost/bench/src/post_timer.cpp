// post_timer FOLDER URL [REPEAT]: posts FOLDER to URL through WEBPOST.DLL
// (loaded by name, no wizard, no progress window) and prints the time of each
// WpPostA call in milliseconds, one line "post_ms N" a run. Exit status 1
// when a post fails (its error text is printed).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using PostFn = DWORD(WINAPI *)(HWND, DWORD, LPSTR *, LPDWORD, LPSTR, LPDWORD, LPSTR, DWORD);
using ErrorStringFn = DWORD(WINAPI *)(UINT, LPSTR, LPDWORD);

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: post_timer FOLDER URL [REPEAT]\n");
        return 2;
    }
    HMODULE library = ::LoadLibraryA("WEBPOST.DLL");
    if (!library) {
        std::fprintf(stderr, "WEBPOST.DLL cannot be loaded\n");
        return 1;
    }
    auto post =
        reinterpret_cast<PostFn>(reinterpret_cast<void *>(::GetProcAddress(library, "WpPostA")));
    auto errorString = reinterpret_cast<ErrorStringFn>(
        reinterpret_cast<void *>(::GetProcAddress(library, "WpGetErrorStringA")));
    if (!post || !errorString)
        return 1;
    const int repeat = argc > 3 ? std::atoi(argv[3]) : 1;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < repeat; ++run) {
        char site[260] = "";
        char url[2048];
        std::snprintf(url, sizeof url, "%s", argv[2]);
        DWORD siteLength = sizeof site;
        DWORD urlLength = sizeof url;
        LPSTR paths[] = {argv[1]};
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        const DWORD code = post(nullptr, 1, paths, &siteLength, site, &urlLength, url, 0x202);
        ::QueryPerformanceCounter(&end);
        if (code != 0) {
            char text[2049] = "";
            DWORD length = 2048;
            errorString(code, text, &length);
            std::fprintf(stderr, "post failed: 0x%08lx %s\n", static_cast<unsigned long>(code),
                         text);
            return 1;
        }
        std::printf("post_ms %.1f\n", 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                          static_cast<double>(frequency.QuadPart));
    }
    return 0;
}
