#include "link_label.h"

#include <shellapi.h>

#include <cstring>

#include "framework/cursors.h"
#include "framework/window_class.h"
#include "link_geometry.h"

namespace zephyne {

CLinkLabel::~CLinkLabel() {
    // Here, while the message map still sees WM_DESTROY.
    DestroyWindow();
}

bool CLinkLabel::Create(HWND parent, const RECT &area, int controlId, DWORD style) {
    const char *className = fw::DefaultWindowClass();
    return className && CreateEx(0, className, "", style, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)));
}

void CLinkLabel::Repaint() {
    if (!hwnd_)
        return;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ::UpdateWindow(hwnd_);
}

void CLinkLabel::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    Repaint();
}

void CLinkLabel::SetHoverColour(COLORREF colour) {
    hoverColour_ = colour;
    Repaint();
}

void CLinkLabel::SetFont(HFONT baseFont, bool ownAttributes) {
    baseFont_ = baseFont;
    ownFontAttributes_ = ownAttributes;
    font_.Reset();
    Repaint();
}

void CLinkLabel::SetFontSize(int height, int width) {
    fontHeight_ = height;
    fontWidth_ = width;
    font_.Reset();
    Repaint();
}

HFONT CLinkLabel::DrawingFont() {
    const bool underlined = (hover_ || underlineAlways_) && hoverEffectMode_ != 1;
    if (!font_ || fontUnderlined_ != underlined) {
        font_.Reset(MakeFont());
        fontUnderlined_ = underlined;
    }
    return font_.Get();
}

HFONT CLinkLabel::MakeFont() const {
    LOGFONTA description = {};
    if (baseFont_) {
        ::GetObjectA(baseFont_, sizeof description, &description);
    } else if (HDC dc = ::GetDC(hwnd_)) {
        ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof description, &description);
        ::ReleaseDC(hwnd_, dc);
    }
    // A copied description carries the other font's average width, which
    // asks for a stretched font; Wine draws such a font wider than it
    // measures it, and the last letter ends up cut. The face's own width is
    // measured and drawn alike.
    description.lfWidth = 0;
    if (ownFontAttributes_) {
        if (!faceName_.empty()) {
            std::memset(description.lfFaceName, 0, sizeof description.lfFaceName);
            faceName_.copy(description.lfFaceName, sizeof description.lfFaceName - 1);
        }
        if (fontHeight_ != 0) {
            description.lfHeight = fontHeight_;
            description.lfWidth = fontWidth_;
        }
        description.lfItalic = italic_ ? TRUE : FALSE;
        description.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
    }
    if ((hover_ || underlineAlways_) && hoverEffectMode_ != 1)
        description.lfUnderline = TRUE;
    return ::CreateFontIndirectA(&description);
}

UINT CLinkLabel::TextFormat() const {
    return DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
}

RECT CLinkLabel::Layout() {
    RECT measured = {0, 0, 1, 1};
    std::string text = GetWindowText();
    if (HDC dc = ::GetDC(hwnd_)) {
        // The very font that OnPaint draws with.
        HFONT font = DrawingFont();
        HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                    DT_CALCRECT | TextFormat());
        if (old)
            ::SelectObject(dc, old);
        ::ReleaseDC(hwnd_, dc);
    }
    int width = measured.right - measured.left;
    if (width < 1)
        width = 1;
    int height = measured.bottom - measured.top;
    RECT client = {};
    ::GetClientRect(hwnd_, &client);
    Rect placed = LabelTextRect(width, height, alignment_, client.right - client.left,
                                client.bottom - client.top);
    textRect_ = {placed.left, placed.top, placed.right, placed.bottom};
    return RECT{0, 0, width, height};
}

LRESULT CLinkLabel::OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    if (DefaultProc(message, wParam, lParam) == -1)
        return -1;
    if (auto planes = HandCursorPlanes(::GetSystemMetrics(SM_CXCURSOR)))
        linkCursor_.Reset(fw::CreatePlaneCursor(planes->width, planes->height, planes->hotX,
                                                planes->hotY, planes->andPlane, planes->xorPlane));
    return 0;
}

LRESULT CLinkLabel::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    linkCursor_.Reset();
    return DefaultProc(message, wParam, lParam);
}

LRESULT CLinkLabel::OnEraseBackground(UINT, WPARAM wParam, LPARAM, bool &handled) {
    if (!background_) {
        handled = false;
        return 0;
    }
    auto dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    ::InflateRect(&client, 1, 1);
    platform::UniqueBrush brush(::CreateSolidBrush(*background_));
    HGDIOBJ oldBrush = ::SelectObject(dc, brush.Get());
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    // A rectangle without outline covers one pixel less on the right and at
    // the bottom: the grown rectangle still covers the whole client area.
    ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    return TRUE;
}

LRESULT CLinkLabel::OnPaint(UINT, WPARAM, LPARAM, bool &) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd_, &paint);
    if (!dc)
        return 0;
    RECT clip;
    ::GetClipBox(dc, &clip);
    ::InflateRect(&clip, -1, -1);
    COLORREF behind = ::GetPixel(dc, clip.left, clip.top);
    if (!background_ && behind != CLR_INVALID)
        background_ = behind;

    Layout();
    std::string text = GetWindowText();
    if (!text.empty()) {
        HFONT font = DrawingFont();
        HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, hover_ ? hoverColour_ : textColour_);
        UINT align = alignment_ == kCentre ? DT_CENTER : alignment_ == kRight ? DT_RIGHT : DT_LEFT;
        RECT target = textRect_;
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &target, TextFormat() | align);
        if (old)
            ::SelectObject(dc, old);
    }
    ::EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CLinkLabel::OnSetText(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    LRESULT result = DefaultProc(message, wParam, lParam);
    Repaint();
    return result;
}

LRESULT CLinkLabel::OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    bool wasHovering = hover_;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (::PtInRect(&textRect_, point)) {
        hover_ = true;
        if (linkCursor_)
            ::SetCursor(linkCursor_.Get());
        ::SetCapture(hwnd_);
    } else {
        hover_ = false;
        // Only our own capture: another window's (a button being pressed)
        // is not ours to end.
        if (::GetCapture() == hwnd_)
            ::ReleaseCapture();
    }
    if (hover_ != wasHovering)
        Repaint();
    return DefaultProc(message, wParam, lParam);
}

LRESULT CLinkLabel::OnLeftButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    // The pointer is still over the text: the label stays in the hover
    // colour until the next mouse move says where the pointer went.
    if (hover_)
        OnLeftClick();
    return DefaultProc(message, wParam, lParam);
}

LRESULT CLinkLabel::OnRightButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    if (hover_)
        OnRightClick();
    return DefaultProc(message, wParam, lParam);
}

void CLinkLabel::OnLeftClick() {
    ::ShellExecuteA(::GetDesktopWindow(), "open", url_.c_str(), nullptr, "", SW_SHOW);
}

}  // namespace zephyne
