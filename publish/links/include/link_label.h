#pragma once
// A child window that paints a text link itself: its window text centred in
// its client area, in the text colour or, while the mouse is over the text,
// in the hover colour with its own hand cursor; a left click over the text
// hands the address to the shell (the reply is not looked at). Layout
// reports the size the text needs, for an owner that grows around it. The
// background behind the label is learnt from the first paint.
#include <windows.h>

#include <optional>
#include <string>

#include "framework/message_map.h"
#include "platform/win32_handles.h"
#include "framework/wnd.h"

namespace zephyne {

class CLinkLabel : public fw::CWnd {
public:
    enum Alignment { kLeft = 0, kCentre = 1, kRight = 2 };

    CLinkLabel() = default;
    ~CLinkLabel() override;

    // A child window of the framework's plain class.
    bool Create(HWND parent, const RECT &area, int controlId, DWORD style = WS_CHILD | WS_VISIBLE);

    void SetURL(const std::string &url) { url_ = url; }
    const std::string &GetURL() const { return url_; }
    void SetWordWrap(bool wrap);
    void SetHoverColour(COLORREF colour);
    // The font whose description is the starting point (nullptr: the font of
    // a fresh device context of the window), and whether the own attributes
    // (weight, italic, face, size) replace its own.
    void SetFont(HFONT baseFont, bool ownAttributes);
    void SetFontSize(int height, int width);
    void SetUnderlineAlways(bool always) { underlineAlways_ = always; }

    // The size the window text needs, as a rectangle from (0, 0); also
    // places the text rectangle in the client area.
    RECT Layout();

    bool IsHovering() const { return hover_; }
    const RECT &TextRect() const { return textRect_; }
    std::optional<COLORREF> BackgroundColour() const { return background_; }
    HCURSOR LinkCursor() const { return linkCursor_.Get(); }

    BEGIN_MSG_MAP(CLinkLabel)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLeftButtonDown)
    MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRightButtonDown)
    END_MSG_MAP()

protected:
    // Opens the URL through the shell.
    virtual void OnLeftClick();
    // Does nothing.
    virtual void OnRightClick() {}

private:
    LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnSetText(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnLeftButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnRightButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    HFONT MakeFont() const;
    // The font the text is measured and drawn with, one object for both,
    // made again when what shapes it changes.
    HFONT DrawingFont();
    UINT TextFormat() const;
    void Repaint();

    std::optional<COLORREF> background_;
    int hoverEffectMode_ = 2;
    bool ownFontAttributes_ = false;
    bool italic_ = false;
    bool bold_ = false;
    int fontWidth_ = 0, fontHeight_ = 0;
    std::string faceName_;
    HFONT baseFont_ = nullptr;
    RECT textRect_ = {0, 0, 1, 1};
    bool wordWrap_ = true;
    int alignment_ = kCentre;
    std::string url_;
    COLORREF hoverColour_ = RGB(0, 255, 0);
    COLORREF textColour_ = RGB(0, 0, 0);
    bool hover_ = false;
    bool underlineAlways_ = false;
    platform::UniqueCursor linkCursor_;
    platform::UniqueFont font_;
    bool fontUnderlined_ = false;
};

}  // namespace zephyne
