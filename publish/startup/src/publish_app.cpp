#include "publish_app.h"

#include "publish_site.h"
#include "settings_store.h"
#include "zephyne_ids.h"

namespace zephyne {

namespace {

// Process-wide by nature: set once the marker class is registered, read by
// the exit step.
bool classRegistered = false;

}  // namespace

bool CPublishApp::InitInstance() {
    // Another copy runs (perhaps inside its posting wizard): leave it alone,
    // read nothing, show nothing.
    if (::FindWindowA(kMarkerClassName, nullptr))
        return false;

    WNDCLASSA markerClass = {};
    markerClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    markerClass.lpfnWndProc = ::DefWindowProcA;
    markerClass.hInstance = GetInstance();
    markerClass.hIcon = ::LoadIconA(GetInstance(), MAKEINTRESOURCEA(IDI_ZEPHYNE));
    markerClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    markerClass.lpszClassName = kMarkerClassName;
    if (!fw::CWnd::RegisterWindowClass(markerClass))
        return false;
    classRegistered = true;

    settings::SetProductKeySource({GetInstance(), IDS_PRODUCT_KEY});

    // A marker that cannot be made is not reported: the run still happens,
    // its dialogs then without owner.
    if (markerWnd_.CreateEx(WS_EX_TOOLWINDOW, kMarkerClassName, kMarkerClassName, WS_POPUP, -500,
                            -500, 0, 0, nullptr)) {
        markerWnd_.ShowWindow(SW_HIDE);
        SetMainWnd(&markerWnd_);
    }

    PublishSite();
    return false;
}

int CPublishApp::ExitInstance() {
    // The framework has destroyed the marker window by now.
    if (classRegistered)
        ::UnregisterClassA(kMarkerClassName, GetInstance());
    return fw::CApp::ExitInstance();
}

}  // namespace zephyne
