#include "screen_shot.h"

#include <cstdio>
#include <set>
#include <vector>

#include "png_writer.h"

namespace testsupport {

std::string ScreenshotFolder(const std::string &name) {
    char exe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder(exe);
    folder = folder.substr(0, folder.find_last_of("\\/"));  // bin
    folder = folder.substr(0, folder.find_last_of("\\/"));  // the build
    folder += "\\" + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

size_t ShootScreen(const RECT &rect, const std::string &path) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return 0;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        // A rectangle read from a window that has gone can be garbage of any
        // size: no bitmap, no picture, and the caller learns it from the 0.
        if (dib)
            ::DeleteObject(dib);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
        return 0;
    }
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    std::set<DWORD> colours;
    const auto *pixels = static_cast<const DWORD *>(bits);
    for (int i = 0; i < w * h; ++i) {
        const DWORD p = pixels[i] & 0xFFFFFF;
        colours.insert(p);
        rgb[i * 3] = uint8_t(p >> 16);
        rgb[i * 3 + 1] = uint8_t(p >> 8);
        rgb[i * 3 + 2] = uint8_t(p);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (!WritePng(path, w, h, rgb))
        return 0;
    std::printf("screenshot: %s (%dx%d)\n", path.c_str(), w, h);
    return colours.size();
}

}  // namespace testsupport
