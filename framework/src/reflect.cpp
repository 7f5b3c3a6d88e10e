#include "framework/reflect.h"

#include "framework/wnd.h"

namespace fw {

HWND ReflectionTarget(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_COMMAND:
        // Menus and accelerators leave lParam empty.
        return HIWORD(wParam) <= 1 && lParam == 0 ? nullptr : reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR *>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return lParam ? reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)->hwndItem : nullptr;
    default:
        return nullptr;
    }
}

bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) {
    HWND target = ReflectionTarget(message, wParam, lParam);
    CWnd *control = CWnd::FromHandle(target);
    if (!control)
        return false;
    LRESULT answer = 0;
    if (!control->ProcessWindowMessage(target, kReflectedBase + message, wParam, lParam, answer))
        return false;
    result = answer;
    return true;
}

}  // namespace fw
