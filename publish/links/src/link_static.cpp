#include "link_static.h"

#include "framework/cursors.h"
#include "link_geometry.h"
#include "open_link.h"

namespace zephyne {

namespace {

constexpr UINT kHelpProgramHandCursor = 106;
constexpr UINT kToolId = 1;

Rect FromRECT(const RECT &r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

HCURSOR CLinkStatic::linkCursor_ = nullptr;

CLinkStatic::CLinkStatic() : hoverColour_(::GetSysColor(COLOR_HIGHLIGHT)) {}

CLinkStatic::~CLinkStatic() {
    toolTip_.Destroy();
    // The control outlives us (it is the dialog's): it must not keep a font
    // that is about to be deleted.
    if (hwnd_ && font_)
        SendMessage(WM_SETFONT, 0, FALSE);
    Detach();
}

bool CLinkStatic::AttachToControl(HWND control) {
    if (!SubclassWindow(control))
        return false;
    ::SetWindowLongPtrA(hwnd_, GWL_STYLE, ::GetWindowLongPtrA(hwnd_, GWL_STYLE) | SS_NOTIFY);
    if (url_.empty())
        url_ = GetWindowText();
    if (GetWindowText().empty())
        SetWindowText(url_);

    LOGFONTA description = {};
    auto current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!current)
        current = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    if (::GetObjectA(current, sizeof description, &description)) {
        description.lfUnderline = underline_ ? TRUE : FALSE;
        font_.Reset(::CreateFontIndirectA(&description));
        if (font_)
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    }

    PositionWindow();

    if (!linkCursor_) {
        std::string helpProgram = fw::WindowsFolderFile("winhlp32.exe");
        if (!helpProgram.empty())
            linkCursor_ = fw::CopyCursorFromModule(helpProgram, kHelpProgramHandCursor);
        // Without the help program (Wine has none in the Windows folder) the
        // system's own hand serves.
        if (!linkCursor_)
            linkCursor_ = reinterpret_cast<HCURSOR>(
                ::CopyIcon(reinterpret_cast<HICON>(::LoadCursorA(nullptr, IDC_HAND))));
    }

    RECT client;
    ::GetClientRect(hwnd_, &client);
    if (toolTip_.Create(hwnd_))
        toolTip_.AddTool(hwnd_, kToolId, url_, client);
    return true;
}

void CLinkStatic::SetURL(const std::string &url) {
    url_ = url;
    if (!hwnd_)
        return;
    PositionWindow();
    toolTip_.UpdateTipText(hwnd_, kToolId, url_);
}

void CLinkStatic::SetVisited(bool visited) {
    visited_ = visited;
    if (hwnd_)
        ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CLinkStatic::PositionWindow() {
    if (!hwnd_ || !adjustToFit_)
        return;
    RECT window;
    ::GetWindowRect(hwnd_, &window);
    HWND parent = ::GetParent(hwnd_);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&window), 2);

    std::string text = GetWindowText();
    SIZE extent = {0, 0};
    HDC dc = ::GetDC(hwnd_);
    if (dc) {
        HGDIOBJ old = nullptr;
        if (auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
            old = ::SelectObject(dc, font);
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        if (old)
            ::SelectObject(dc, old);
        ::ReleaseDC(hwnd_, dc);
    }
    auto style = static_cast<uint32_t>(::GetWindowLongPtrA(hwnd_, GWL_STYLE));
    Rect fitted =
        FitStaticToText(FromRECT(window), extent.cx, extent.cy, StaticFitAlignment(style));
    ::SetWindowPos(hwnd_, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

COLORREF CLinkStatic::TextColour() const {
    if (overControl_)
        return hoverColour_;
    return visited_ ? visitedColour_ : linkColour_;
}

bool CLinkStatic::PreTranslateMessage(MSG &msg) {
    if (msg.hwnd == hwnd_)
        toolTip_.RelayEvent(msg);
    return false;
}

LRESULT CLinkStatic::OnReflectedCommand(UINT, WPARAM wParam, LPARAM, bool &handled) {
    if (HIWORD(wParam) != STN_CLICKED) {
        handled = false;
        return 0;
    }
    Click();
    return 0;
}

LRESULT CLinkStatic::OnReflectedColour(UINT, WPARAM wParam, LPARAM, bool &) {
    auto dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, TextColour());
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

LRESULT CLinkStatic::OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    LRESULT result = DefaultProc(message, wParam, lParam);
    if (overControl_) {
        RECT client;
        ::GetClientRect(hwnd_, &client);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (!::PtInRect(&client, point)) {
            overControl_ = false;
            ::ReleaseCapture();
            RedrawNow();
        }
    } else {
        overControl_ = true;
        RedrawNow();
        ::SetCapture(hwnd_);
    }
    return result;
}

LRESULT CLinkStatic::OnSetCursor(UINT, WPARAM, LPARAM, bool &) {
    if (!linkCursor_)
        return FALSE;
    ::SetCursor(linkCursor_);
    return TRUE;
}

void CLinkStatic::RedrawNow() {
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CLinkStatic::Click() {
    int reply = OpenLink(url_, SW_SHOW);
    if (reply > 32) {
        SetVisited(true);
        return;
    }
    visited_ = false;
    ::MessageBeep(MB_ICONEXCLAMATION);
    ReportOpenError(reply);
}

}  // namespace zephyne
