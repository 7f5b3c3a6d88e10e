#include "screen_shot.h"

#include <cstdio>
#include <set>
#include <vector>

#include "platform/win32_handles.h"
#include "png_writer.h"

namespace testsupport {

namespace {

// The screen's device context, given back when done.
class ScreenDc {
public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc &) = delete;
    ScreenDc &operator=(const ScreenDc &) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

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

std::vector<uint32_t> CaptureScreen(const RECT &rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    const ScreenDc screen;
    const platform::UniqueDc memory(::CreateCompatibleDC(screen.Get()));
    // A rectangle read from a window that has gone can be garbage of any
    // size: no bitmap, no pixels, and the caller learns it from the empty answer.
    const platform::UniqueBitmap dib(
        ::CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
        return {};
    HGDIOBJ old = ::SelectObject(memory.Get(), dib.Get());
    ::BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto *pixels = static_cast<const uint32_t *>(bits);
    std::vector<uint32_t> rgb(pixels, pixels + size_t(w) * h);
    for (uint32_t &p : rgb)
        p &= 0xFFFFFF;
    ::SelectObject(memory.Get(), old);
    return rgb;
}

size_t ShootScreen(const RECT &rect, const std::string &path) {
    const std::vector<uint32_t> pixels = CaptureScreen(rect);
    if (pixels.empty())
        return 0;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    std::vector<uint8_t> rgb(pixels.size() * 3);
    const std::set<uint32_t> colours(pixels.begin(), pixels.end());
    for (size_t i = 0; i < pixels.size(); ++i) {
        rgb[i * 3] = uint8_t(pixels[i] >> 16);
        rgb[i * 3 + 1] = uint8_t(pixels[i] >> 8);
        rgb[i * 3 + 2] = uint8_t(pixels[i]);
    }
    if (!WritePng(path, w, h, rgb))
        return 0;
    std::printf("screenshot: %s (%dx%d)\n", path.c_str(), w, h);
    return colours.size();
}

}  // namespace testsupport
