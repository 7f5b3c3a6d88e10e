#include "framework/data_exchange.h"

#include <vector>

namespace fw {

namespace {

bool HasGroupStyle(HWND hwnd) {
    return (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_GROUP) != 0;
}

bool IsRadioButton(HWND hwnd) {
    return (::SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// The radio buttons of the group that starts at `first`, in dialog order.
std::vector<HWND> RadioGroup(HWND first) {
    std::vector<HWND> buttons;
    for (HWND hwnd = first; hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if (hwnd != first && HasGroupStyle(hwnd))
            break;
        if (IsRadioButton(hwnd))
            buttons.push_back(hwnd);
    }
    return buttons;
}

}  // namespace

HWND CDataExchange::Control(int controlId) {
    HWND control = dialog_.GetDlgItem(controlId);
    if (!control)
        failed_ = true;
    return control;
}

void ExchangeCheck(CDataExchange &exchange, int controlId, int &value) {
    HWND control = exchange.Control(controlId);
    if (!control)
        return;
    if (exchange.IsSaving()) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
        return;
    }
    WPARAM state = (value == BST_CHECKED || value == BST_INDETERMINATE) ? value : BST_UNCHECKED;
    ::SendMessageA(control, BM_SETCHECK, state, 0);
}

void ExchangeRadio(CDataExchange &exchange, int firstId, int &index) {
    HWND first = exchange.Control(firstId);
    if (!first)
        return;
    std::vector<HWND> buttons = RadioGroup(first);
    if (exchange.IsSaving()) {
        index = -1;
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (::SendMessageA(buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
                index = static_cast<int>(i);
                break;
            }
        }
        return;
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
        bool selected = index >= 0 && static_cast<size_t>(index) == i;
        ::SendMessageA(buttons[i], BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ExchangeText(CDataExchange &exchange, int controlId, std::string &text) {
    HWND control = exchange.Control(controlId);
    if (!control)
        return;
    if (!exchange.IsSaving()) {
        ::SetWindowTextA(control, text.c_str());
        return;
    }
    int length = ::GetWindowTextLengthA(control);
    std::vector<char> buffer(length > 0 ? length + 1 : 1);
    int copied = ::GetWindowTextA(control, buffer.data(), static_cast<int>(buffer.size()));
    text.assign(buffer.data(), copied > 0 ? copied : 0);
}

void BindControl(CDataExchange &exchange, int controlId, CWnd &control) {
    HWND hwnd = exchange.Control(controlId);
    if (!hwnd || exchange.IsSaving() || control.GetSafeHwnd() == hwnd)
        return;
    // Bound to another window already, or the control cannot be subclassed.
    if (control.GetSafeHwnd() || !control.SubclassWindow(hwnd))
        exchange.Fail();
}

}  // namespace fw
