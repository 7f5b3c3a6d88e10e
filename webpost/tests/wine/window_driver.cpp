#include "window_driver.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "png_writer.h"

namespace webpost_test {

namespace {

struct Search {
    DWORD thread;
    std::string caption;
    HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lParam)
{
    Search &search = *reinterpret_cast<Search *>(lParam);
    char caption[256] = {};
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    if (::GetWindowThreadProcessId(hwnd, nullptr) == search.thread && ::IsWindowVisible(hwnd) &&
        search.caption == caption) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string ShotDirectory()
{
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    dir = dir.substr(0, dir.find_last_of("\\/"));  // bin
    dir = dir.substr(0, dir.find_last_of("\\/"));  // the build
    dir += "\\webpost-screenshots";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

}  // namespace

HWND WindowDriver::WaitFor(const std::string &caption, DWORD timeoutMs) const
{
    const DWORD start = ::GetTickCount();
    do {
        Search search{uiThread_, caption, nullptr};
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(10);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool WindowDriver::WaitGone(HWND window, DWORD timeoutMs) const
{
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(10);
    }
    return true;
}

void WindowDriver::Click(HWND dialog, int controlId)
{
    ::PostMessageA(::GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void WindowDriver::SetText(HWND dialog, int controlId, const std::string &text)
{
    ::SendMessageA(::GetDlgItem(dialog, controlId), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(text.c_str()));
}

std::string WindowDriver::Text(HWND dialog, int controlId)
{
    char text[1024] = {};
    ::SendMessageA(::GetDlgItem(dialog, controlId), WM_GETTEXT, sizeof text,
                   reinterpret_cast<LPARAM>(text));
    return text;
}

bool WindowDriver::Enabled(HWND dialog, int controlId)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, controlId)) != FALSE;
}

bool WindowDriver::Checked(HWND dialog, int controlId)
{
    return ::SendMessageA(::GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::size_t WindowDriver::Shoot(HWND window, const std::string &name)
{
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(300);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return 0;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    std::set<DWORD> colours;
    const DWORD *pixels = static_cast<const DWORD *>(bits);
    for (int i = 0; i < w * h; ++i) {
        const DWORD p = pixels[i] & 0xFFFFFF;
        colours.insert(p);
        rgb[i * 3] = static_cast<uint8_t>(p >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(p >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(p);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    const std::string path = ShotDirectory() + "\\" + name + ".png";
    EXPECT_TRUE(tolvarc_test::WritePng(path, w, h, rgb)) << path;
    std::printf("screenshot: %s (%dx%d)\n", path.c_str(), w, h);
    return colours.size();
}

}  // namespace webpost_test
