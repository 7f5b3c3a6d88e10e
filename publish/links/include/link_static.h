#pragma once
// A dialog's static text control turned into a web link: link colours and an
// underlined copy of its font, its size shrunk to its text, the hand cursor
// of the platform's help program (or the system's hand), a tooltip with the address, and a click
// that opens the address (OpenLink), beeping and explaining when that fails.
// The dialog binds it with AttachToControl and reflects its notifications
// (REFLECT_NOTIFICATIONS) so that it answers its own colour requests and
// clicks.
#include <windows.h>

#include <string>

#include "framework/message_map.h"
#include "framework/reflect.h"
#include "platform/win32_handles.h"
#include "framework/tooltip.h"
#include "framework/wnd.h"

namespace zephyne {

class CLinkStatic : public fw::CWnd {
public:
    CLinkStatic();
    ~CLinkStatic() override;

    // Subclasses the control and runs the attach step: SS_NOTIFY, the URL and
    // window text completing each other, the underlined font, the fit to the
    // text, the link cursor and the tooltip. False when the control cannot be
    // subclassed.
    bool AttachToControl(HWND control);

    // Stores the address; with a window, fits it again and gives the tooltip
    // the new address.
    void SetURL(const std::string &url);
    const std::string &GetURL() const { return url_; }
    // Stores the flag; with a window, repaints in the matching colour.
    void SetVisited(bool visited);
    bool IsVisited() const { return visited_; }
    bool IsOverControl() const { return overControl_; }
    // Resizes the control to its text, keeping the edge or midpoint its
    // alignment says.
    void PositionWindow();

    COLORREF TextColour() const;
    const fw::CToolTip &ToolTip() const { return toolTip_; }
    // The hand cursor, shared by every link of the process: the help
    // program's, else a copy of the system's hand; nullptr when neither can
    // be had.
    static HCURSOR LinkCursor() { return linkCursor_; }

    // Every message for the control goes to the tooltip first.
    bool PreTranslateMessage(MSG &msg) override;

    BEGIN_MSG_MAP(CLinkStatic)
    MESSAGE_HANDLER(fw::kReflectedBase + WM_COMMAND, OnReflectedCommand)
    MESSAGE_HANDLER(fw::kReflectedBase + WM_CTLCOLORSTATIC, OnReflectedColour)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    END_MSG_MAP()

private:
    LRESULT OnReflectedCommand(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnReflectedColour(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnSetCursor(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    void Click();
    void RedrawNow();

    static HCURSOR linkCursor_;  // copied once, lives until the process ends

    COLORREF linkColour_ = RGB(0, 0, 238);
    COLORREF visitedColour_ = RGB(85, 26, 139);
    COLORREF hoverColour_;
    bool overControl_ = false;
    bool visited_ = false;
    bool underline_ = true;
    bool adjustToFit_ = true;
    std::string url_;
    platform::UniqueFont font_;
    fw::CToolTip toolTip_;
};

}  // namespace zephyne
