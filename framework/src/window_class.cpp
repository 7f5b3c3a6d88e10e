#include "framework/window_class.h"

#include <windows.h>

#include "framework/wnd.h"

namespace fw {

const char *DefaultWindowClass() {
    static constexpr char kName[] = "FwPlainWindow";
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_DBLCLKS;
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kName;
        return CWnd::RegisterWindowClass(windowClass) != 0 ||
               ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered ? kName : nullptr;
}

}  // namespace fw
