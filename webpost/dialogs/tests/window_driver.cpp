#include "window_driver.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "screen_shot.h"

namespace webpost_test {

namespace {

struct Search {
    DWORD thread;
    std::string caption;
    HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lParam) {
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

std::string ShotDirectory() {
    return testsupport::ScreenshotFolder("webpost-screenshots");
}

}  // namespace

HWND WindowDriver::WaitFor(const std::string &caption, DWORD timeoutMs) const {
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

bool WindowDriver::WaitGone(HWND window, DWORD timeoutMs) const {
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(10);
    }
    return true;
}

void WindowDriver::Click(HWND dialog, int controlId) {
    ::PostMessageA(::GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void WindowDriver::SetText(HWND dialog, int controlId, const std::string &text) {
    ::SendMessageA(::GetDlgItem(dialog, controlId), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(text.c_str()));
}

std::string WindowDriver::Text(HWND dialog, int controlId) {
    char text[1024] = {};
    ::SendMessageA(::GetDlgItem(dialog, controlId), WM_GETTEXT, sizeof text,
                   reinterpret_cast<LPARAM>(text));
    return text;
}

bool WindowDriver::Enabled(HWND dialog, int controlId) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, controlId)) != FALSE;
}

bool WindowDriver::Checked(HWND dialog, int controlId) {
    return ::SendMessageA(::GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::size_t WindowDriver::Shoot(HWND window, const std::string &name) {
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(300);
    RECT rect;
    ::GetWindowRect(window, &rect);
    return testsupport::ShootScreen(rect, ShotDirectory() + "\\" + name + ".png");
}

}  // namespace webpost_test
