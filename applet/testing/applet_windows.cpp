#include "applet_windows.h"

#include <shellapi.h>

#include "applet_messages.h"
#include "tolvarc_ids.h"

namespace testsupport {

HWND FindAppletMarker() {
    return ::FindWindowA(applet::kAppletClassName, nullptr);
}

HWND FindAppletMainDialog(HWND marker) {
    for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        char name[64] = "";
        ::GetClassNameA(hwnd, name, sizeof name);
        if (lstrcmpiA(name, "#32770") == 0 && ::GetWindow(hwnd, GW_OWNER) == marker)
            return hwnd;
    }
    return nullptr;
}

// The notification area changes only an icon it holds, so a change that
// alters nothing succeeds exactly when the applet's icon is there.
bool TrayIconPresent(HWND owner) {
    NOTIFYICONDATAA probe = {};
    probe.cbSize = sizeof probe;
    probe.hWnd = owner;
    probe.uID = IDI_TRAY;
    probe.uFlags = 0;
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

}  // namespace testsupport
