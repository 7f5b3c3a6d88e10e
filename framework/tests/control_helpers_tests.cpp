// The helpers for controls that look after themselves: notifications handed
// back to the control's object, the tooltip wrapper, cursors made from bit
// planes or borrowed from a module, and the plain window class.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/cursors.h"
#include "framework/message_map.h"
#include "framework/reflect.h"
#include "framework/tooltip.h"
#include "framework/window_class.h"
#include "framework/wnd.h"

namespace fw_test {

namespace {

// A button whose object answers its own reflected clicks and colours.
class CSelfAwareButton : public fw::CWnd {
public:
    int clicks = 0;
    int colours = 0;
    BEGIN_MSG_MAP(CSelfAwareButton)
    MESSAGE_HANDLER(fw::kReflectedBase + WM_COMMAND, OnCommand)
    MESSAGE_HANDLER(fw::kReflectedBase + WM_CTLCOLORBTN, OnColour)
    END_MSG_MAP()

private:
    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM, bool &) {
        if (HIWORD(wParam) == BN_CLICKED)
            ++clicks;
        return 0;
    }
    LRESULT OnColour(UINT, WPARAM, LPARAM, bool &) {
        ++colours;
        return reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH));
    }
};

class CReflectingParent : public fw::CWnd {
public:
    int unreflected = 0;
    BEGIN_MSG_MAP(CReflectingParent)
    REFLECT_NOTIFICATIONS()
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    END_MSG_MAP()

private:
    LRESULT OnCommand(UINT, WPARAM, LPARAM, bool &) {
        ++unreflected;
        return 0;
    }
};

struct Windows {
    CReflectingParent parent;
    CSelfAwareButton button;
    fw::CWnd plainButton;
    bool Create() {
        return parent.CreateEx(0, fw::DefaultWindowClass(), "parent", WS_OVERLAPPEDWINDOW, 0, 0,
                               200, 100, nullptr) &&
               button.CreateEx(0, "BUTTON", "ok", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                               parent.GetSafeHwnd(), reinterpret_cast<HMENU>(7)) &&
               plainButton.CreateEx(0, "BUTTON", "no", WS_CHILD | WS_VISIBLE, 60, 0, 50, 20,
                                    parent.GetSafeHwnd(), reinterpret_cast<HMENU>(8));
    }
};

TEST(ControlHelpers, NotificationsReachTheControlsOwnObjectOnly) {
    Windows w;
    ASSERT_TRUE(w.Create());
    ::SendMessageA(w.button.GetSafeHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(w.button.clicks, 1);
    EXPECT_EQ(w.parent.unreflected, 0);

    // A control whose object does not handle it: the parent's own map.
    ::SendMessageA(w.plainButton.GetSafeHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(w.parent.unreflected, 1);
    // A menu command names no control: never reflected.
    ::SendMessageA(w.parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(7, 0), 0);
    EXPECT_EQ(w.parent.unreflected, 2);
    EXPECT_EQ(w.button.clicks, 1);

    // The control's answer becomes the parent's.
    HDC dc = ::GetDC(w.button.GetSafeHwnd());
    LRESULT brush =
        ::SendMessageA(w.parent.GetSafeHwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(w.button.GetSafeHwnd()));
    ::ReleaseDC(w.button.GetSafeHwnd(), dc);
    EXPECT_GE(w.button.colours, 1);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));
}

TEST(ControlHelpers, ToolTipKeepsItsToolsAndTexts) {
    Windows w;
    ASSERT_TRUE(w.Create());
    fw::CToolTip tip;
    EXPECT_FALSE(tip.AddTool(w.button.GetSafeHwnd(), 1, "x", RECT{}));  // not created yet
    ASSERT_TRUE(tip.Create(w.button.GetSafeHwnd()));
    EXPECT_FALSE(tip.Create(w.button.GetSafeHwnd()));
    RECT area = {1, 2, 40, 18};
    ASSERT_TRUE(tip.AddTool(w.button.GetSafeHwnd(), 1, "http://first/", area));
    EXPECT_EQ(tip.GetToolText(w.button.GetSafeHwnd(), 1), "http://first/");
    tip.UpdateTipText(w.button.GetSafeHwnd(), 1, "http://second/page");
    EXPECT_EQ(tip.GetToolText(w.button.GetSafeHwnd(), 1), "http://second/page");
    RECT held = {};
    ASSERT_TRUE(tip.GetToolRect(w.button.GetSafeHwnd(), 1, held));
    EXPECT_TRUE(::EqualRect(&held, &area));
    EXPECT_EQ(tip.GetToolText(w.button.GetSafeHwnd(), 2), "");
    HWND tipWindow = tip.GetSafeHwnd();
    tip.Destroy();
    EXPECT_FALSE(::IsWindow(tipWindow));
}

TEST(ControlHelpers, PlaneCursorsAndBorrowedCursors) {
    std::vector<uint8_t> andPlane(32, 0xFF), xorPlane(32, 0x00);
    andPlane[0] = 0x00;
    HCURSOR cursor = fw::CreatePlaneCursor(16, 16, 4, 0, andPlane, xorPlane);
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(cursor), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 4u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DestroyCursor(cursor);
    // Planes that do not match the size are refused.
    EXPECT_EQ(fw::CreatePlaneCursor(32, 32, 0, 0, andPlane, xorPlane), nullptr);

    EXPECT_EQ(fw::CopyCursorFromModule("C:\\no\\such\\module.exe", 106), nullptr);
    // The test program itself has no cursor 106.
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(fw::CopyCursorFromModule(self, 106), nullptr);

    std::string notepad = fw::WindowsFolderFile("notepad.exe");
    EXPECT_FALSE(notepad.empty());
    EXPECT_NE(::GetFileAttributesA(notepad.c_str()), INVALID_FILE_ATTRIBUTES) << notepad;
    EXPECT_EQ(fw::WindowsFolderFile(std::string(300, 'x')), "");
}

TEST(ControlHelpers, PlainWindowClassHasNoBrushAndIsRegisteredOnce) {
    const char *name = fw::DefaultWindowClass();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(fw::DefaultWindowClass(), name);
    WNDCLASSA info = {};
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), name, &info));
    EXPECT_EQ(info.hbrBackground, nullptr);
    EXPECT_EQ(info.style & CS_DBLCLKS, static_cast<UINT>(CS_DBLCLKS));
}

}  // namespace

}  // namespace fw_test
