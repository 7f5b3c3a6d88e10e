#include "applet_windows.h"

#include "applet_messages.h"

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

}  // namespace testsupport
