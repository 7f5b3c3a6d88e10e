#include "tray_icon.h"

#include <algorithm>
#include <cstring>

#include "framework/app.h"
#include "framework/wnd.h"
#include "tolvarc_ids.h"

namespace applet {

NOTIFYICONDATAA MakeTrayRecord(HWND owner, DWORD action, const std::string &tip, UINT callback,
                               HICON icon) {
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V2_SIZE;
    record.hWnd = owner;
    record.uID = IDI_TRAY;
    record.uCallbackMessage = callback;
    record.hIcon = icon;
    if (action == NIM_ADD)
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    else if (action == NIM_MODIFY)
        record.uFlags = NIF_MESSAGE | NIF_TIP;
    const size_t length = std::min(tip.size(), kTrayTipMaxLength);
    std::memcpy(record.szTip, tip.data(), length);
    record.szTip[length] = '\0';
    return record;
}

bool SetTrayIcon(NotifyIconEntry entry, DWORD action, const std::string &tip, UINT callback,
                 HICON icon) {
    fw::CApp *app = fw::CApp::Current();
    fw::CWnd *mainWnd = app ? app->GetMainWnd() : nullptr;
    HWND owner = mainWnd ? mainWnd->GetSafeHwnd() : nullptr;
    if (!owner)
        return false;
    NOTIFYICONDATAA record = MakeTrayRecord(owner, action, tip, callback, icon);
    return entry(action, &record) != FALSE;
}

}  // namespace applet
