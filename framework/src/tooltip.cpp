#include "framework/tooltip.h"

#include <commctrl.h>

#include <vector>

namespace fw {

namespace {

TOOLINFOA ToolInfo(HWND tool, UINT id) {
    TOOLINFOA info = {};
    // The version 1 size: understood by every common-controls library.
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = tool;
    info.uId = id;
    return info;
}

}  // namespace

CToolTip::~CToolTip() {
    Destroy();
}

bool CToolTip::Create(HWND owner, DWORD style) {
    if (hwnd_)
        return false;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    hwnd_ = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
    return hwnd_ != nullptr;
}

void CToolTip::Destroy() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool CToolTip::AddTool(HWND tool, UINT id, const std::string &text, const RECT &area) {
    if (!hwnd_)
        return false;
    TOOLINFOA info = ToolInfo(tool, id);
    info.uFlags = 0;  // fed through RelayEvent, not by subclassing
    info.rect = area;
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    info.lpszText = copy.data();
    return ::SendMessageA(hwnd_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTip::UpdateTipText(HWND tool, UINT id, const std::string &text) {
    if (!hwnd_)
        return;
    TOOLINFOA info = ToolInfo(tool, id);
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    info.lpszText = copy.data();
    ::SendMessageA(hwnd_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

std::string CToolTip::GetToolText(HWND tool, UINT id) const {
    if (!hwnd_)
        return {};
    TOOLINFOA info = ToolInfo(tool, id);
    if (!::SendMessageA(hwnd_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)))
        return {};
    // The text of TTM_GETTEXT has no length limit the caller can name: a
    // buffer as large as any address this program shows.
    std::vector<char> buffer(4096, '\0');
    info.lpszText = buffer.data();
    ::SendMessageA(hwnd_, TTM_GETTEXTA, buffer.size(), reinterpret_cast<LPARAM>(&info));
    buffer.back() = '\0';
    return buffer.data();
}

bool CToolTip::GetToolRect(HWND tool, UINT id, RECT &area) const {
    if (!hwnd_)
        return false;
    TOOLINFOA info = ToolInfo(tool, id);
    if (!::SendMessageA(hwnd_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)))
        return false;
    area = info.rect;
    return true;
}

void CToolTip::RelayEvent(const MSG &msg) const {
    if (hwnd_)
        ::SendMessageA(hwnd_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace fw
