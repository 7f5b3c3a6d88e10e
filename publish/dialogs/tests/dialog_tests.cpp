// The two dialogs as Zephyne shows them, owned by a hidden marker window:
// their layout from the templates, the Save Completed dialog growing around
// a long home page, the Missing Component dialog's texts and link address.
// Screenshots land in <build>/zephyne-screenshots/ for review by eye.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "fake_script.h"
#include "framework/app.h"
#include "framework/message_map.h"
#include "framework/res_string.h"
#include "missing_component_dlg.h"
#include "registry_sandbox.h"
#include "save_completed_dlg.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "zephyne_ids.h"

namespace zephyne_test {
namespace {

using namespace zephyne;

constexpr UINT kShowDone = WM_APP + 1;

// Client-coordinate rectangle of a control.
RECT ControlRect(HWND dialog, int id) {
    RECT r = {};
    HWND control = ::GetDlgItem(dialog, id);
    if (!control)
        return r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

int Width(const RECT &r) {
    return r.right - r.left;
}
int Height(const RECT &r) {
    return r.bottom - r.top;
}

// What a shown dialog looked like, taken once it is on the screen.
struct Look {
    RECT outer = {}, group = {}, link = {}, message = {}, ok = {}, placeholder = {};
    RECT needed = {};
    bool placeholderVisible = true;
    size_t colours = 0;
    // The link label's text as drawn: the columns of the label's client
    // area that hold ink (pixels darker than the background), -1 for none.
    int firstInk = -1, lastInk = -1, labelWidth = 0;
};

// Finds the inked columns of a window's client area as it is on the screen.
void FindInk(HWND window, Look &look) {
    RECT client;
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&client), 2);
    const int width = Width(client), height = Height(client);
    look.labelWidth = width;
    const std::vector<uint32_t> pixel = testsupport::CaptureScreen(client);
    if (pixel.empty())
        return;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const int faceLight = GetRValue(face) + GetGValue(face) + GetBValue(face);
    auto inked = [&](int x, int y) {
        const uint32_t p = pixel[y * width + x];
        return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) <
               faceLight - 120;
    };
    // The underline runs the whole text: its rows say nothing of the letters.
    std::vector<bool> letterRow(height, true);
    for (int y = 0; y < height; ++y) {
        int count = 0;
        for (int x = 0; x < width; ++x)
            count += inked(x, y) ? 1 : 0;
        letterRow[y] = count * 2 < width;
    }
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (letterRow[y] && inked(x, y)) {
                if (look.firstInk < 0)
                    look.firstInk = x;
                look.lastInk = x;
                break;
            }
}

// The same dialogs are shot in prefixes of other resolutions: each keeps
// its own folder so that neither run overwrites the other's pictures.
std::string ShotFolder() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return testsupport::ScreenshotFolder(
        dpi == 96 ? "zephyne-screenshots" : "zephyne-screenshots-" + std::to_string(dpi) + "dpi");
}

void Shoot(HWND dialog, const std::string &name, Look &look) {
    // Posted messages come before painting, and the display takes a moment
    // to follow a dialog that has just grown: let both happen, then paint
    // the whole dialog once more.
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 300) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
    ::RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
    ::GetWindowRect(dialog, &look.outer);
    look.colours = testsupport::ShootScreen(look.outer, ShotFolder() + "\\" + name + ".png");
}

class CShownSaveCompleted : public CSaveCompletedDlg {
public:
    CShownSaveCompleted(const std::string &address, std::string shotName, Look &look)
        : CSaveCompletedDlg(address, address), shotName_(std::move(shotName)), look_(look) {}

    BEGIN_MSG_MAP(CShownSaveCompleted)
    MESSAGE_HANDLER(kShowDone, OnShown)
    CHAIN_MSG_MAP(CSaveCompletedDlg)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override {
        bool focus = CSaveCompletedDlg::OnInitDialog();
        PostMessage(kShowDone);
        return focus;
    }

private:
    LRESULT OnShown(UINT, WPARAM, LPARAM, bool &) {
        look_.group = ControlRect(hwnd_, IDC_SAVE_GROUP);
        look_.link = ControlRect(hwnd_, IDC_SAVE_LINK);
        look_.message = ControlRect(hwnd_, IDC_SAVE_MESSAGE);
        look_.ok = ControlRect(hwnd_, IDOK);
        look_.placeholder = ControlRect(hwnd_, IDC_SAVE_LINK_PLACEHOLDER);
        look_.placeholderVisible =
            ::IsWindowVisible(::GetDlgItem(hwnd_, IDC_SAVE_LINK_PLACEHOLDER)) != FALSE;
        look_.needed = Label().Layout();
        Shoot(hwnd_, shotName_, look_);
        FindInk(Label().GetSafeHwnd(), look_);
        EndDialog(IDOK);
        return 0;
    }
    std::string shotName_;
    Look &look_;
};

class CShownMissingComponent : public CMissingComponentDlg {
public:
    CShownMissingComponent(std::string shotName, Look &look)
        : shotName_(std::move(shotName)), look_(look) {}
    std::string messageText, linkText, url, tip;
    RECT templateLink = {0, 0, 0, 0};

    BEGIN_MSG_MAP(CShownMissingComponent)
    MESSAGE_HANDLER(kShowDone, OnShown)
    CHAIN_MSG_MAP(CMissingComponentDlg)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override {
        bool focus = CMissingComponentDlg::OnInitDialog();
        PostMessage(kShowDone);
        return focus;
    }

private:
    LRESULT OnShown(UINT, WPARAM, LPARAM, bool &) {
        char text[512] = "";
        ::GetDlgItemTextA(hwnd_, IDC_MISSING_MESSAGE, text, sizeof text);
        messageText = text;
        ::GetDlgItemTextA(hwnd_, IDC_MISSING_LINK, text, sizeof text);
        linkText = text;
        url = Link().GetURL();
        tip = Link().ToolTip().GetToolText(Link().GetSafeHwnd(), 1);
        look_.link = ControlRect(hwnd_, IDC_MISSING_LINK);
        templateLink = {6, 48, 6 + 240, 48 + 10};
        ::MapDialogRect(hwnd_, &templateLink);
        Shoot(hwnd_, shotName_, look_);
        EndDialog(IDOK);
        return 0;
    }
    std::string shotName_;
    Look &look_;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox.Ready());
        testsupport::UseZephyneProductKey();
        // As in Zephyne: a hidden popup is the main window, owner of both.
        ASSERT_TRUE(marker.CreateEx(WS_EX_TOOLWINDOW, "STATIC", "marker", WS_POPUP, -500, -500, 0,
                                    0, nullptr));
        fw::CApp::Current()->SetMainWnd(&marker);
    }
    void TearDown() override { fw::CApp::Current()->SetMainWnd(nullptr); }

    testsupport::RegistrySandbox sandbox;
    fw::CWnd marker;
};

TEST_F(DialogTest, SaveCompletedKeepsItsSizeForAShortAddressAndGrowsForALongOne) {
    Look shortLook, longLook;
    {
        CShownSaveCompleted dialog("http://127.0.0.1/album/index.htm", "save-completed-short",
                                   shortLook);
        dialog.DoModal();
    }
    const std::string longAddress =
        "http://photos.orvo.example:8080/family/albums/2026/summer-holiday-by-the-lake/"
        "web-pages/index.htm";
    {
        CShownSaveCompleted dialog(longAddress, "save-completed-long", longLook);
        dialog.DoModal();
    }
    EXPECT_GT(shortLook.colours, 3u);
    EXPECT_GT(longLook.colours, 3u);

    // Short: nothing moves; the label takes the placeholder's rectangle.
    EXPECT_FALSE(shortLook.placeholderVisible);
    EXPECT_TRUE(::EqualRect(&shortLook.link, &shortLook.placeholder));
    EXPECT_LE(Width(shortLook.needed), Width(shortLook.placeholder));

    // Long: grown by what the link needs beyond the placeholder.
    const int dW = Width(longLook.needed) - Width(longLook.placeholder);
    const int dH = std::max(0, Height(longLook.needed) - Height(longLook.placeholder));
    ASSERT_GT(dW, 0) << "the long address should not fit";
    EXPECT_EQ(Width(longLook.outer), Width(shortLook.outer) + dW);
    EXPECT_EQ(Height(longLook.outer), Height(shortLook.outer) + dH);
    EXPECT_EQ(longLook.outer.left, shortLook.outer.left);
    EXPECT_EQ(longLook.outer.top, shortLook.outer.top);
    EXPECT_EQ(Width(longLook.group), Width(shortLook.group) + dW);
    EXPECT_EQ(Height(longLook.group), Height(shortLook.group) + dH);
    EXPECT_EQ(longLook.group.left, shortLook.group.left);
    // Centred on half the grown outer width: link, message and OK.
    const int centre = (Width(shortLook.outer) + dW) / 2;
    EXPECT_EQ(Width(longLook.link), Width(longLook.needed));
    EXPECT_EQ(longLook.link.left, centre - Width(longLook.needed) / 2);
    EXPECT_EQ(longLook.link.top, shortLook.placeholder.top);
    EXPECT_EQ(longLook.message.left, centre - Width(shortLook.message) / 2);
    EXPECT_EQ(longLook.message.top, shortLook.message.top);
    EXPECT_EQ(longLook.ok.left, centre - Width(shortLook.ok) / 2);
    EXPECT_EQ(longLook.ok.top, shortLook.ok.top + dH);
}

// The label of a long address is at least as wide as its text is drawn: its
// last letter stands clear of the label's right edge, not cut off, at the
// resolution of the run.
TEST_F(DialogTest, LongAddressIsDrawnWhollyInsideItsLabel) {
    const std::string longAddress =
        "http://photos.orvo.example:8080/family/albums/2026/summer-holiday-by-the-lake/"
        "web-pages/index.htm";
    Look look;
    {
        CShownSaveCompleted dialog(longAddress, "save-completed-long-ink", look);
        dialog.DoModal();
    }
    std::printf("label %d wide, letters inked in columns %d..%d\n", look.labelWidth,
                look.firstInk, look.lastInk);
    ASSERT_GE(look.firstInk, 0) << "no text drawn";
    // A letter cut by the edge leaves ink in the label's last column.
    EXPECT_LT(look.lastInk, look.labelWidth - 1) << "the last letter is cut at the right edge";
    EXPECT_LT(look.firstInk, look.lastInk);
}

TEST_F(DialogTest, MissingComponentShowsItsMessageAndTheComponentsLink) {
    struct Case {
        const char *shot;
        const char *message;                       // set before showing, or none
        std::optional<std::string> componentsUrl;  // the Web value, or none
        std::string expectedMessage, expectedUrl;
    } cases[] = {
        {"missing-component", "", std::nullopt,
         "This operation requires that QuickTime 5 or later be installed on your system.  This "
         "component does not appear to be currently installed.",
         fw::LoadResString(IDS_COMPONENTS_URL)},
        {"missing-component-as-published", nullptr, std::string("http://127.0.0.1/components"),
         fw::LoadResString(IDS_MISSING_COMPONENT), "http://127.0.0.1/components"},
    };
    for (const Case &c : cases) {
        if (c.componentsUrl)
            settings::WriteRegString("Web", "ComponentsURL", *c.componentsUrl);
        Look look;
        CShownMissingComponent dialog(c.shot, look);
        dialog.SetMessage(c.message ? c.message : fw::LoadResString(IDS_MISSING_COMPONENT));
        dialog.DoModal();
        EXPECT_GT(look.colours, 3u) << c.shot;
        EXPECT_EQ(dialog.messageText, c.expectedMessage) << c.shot;
        EXPECT_EQ(dialog.linkText, "Software Components Web Page") << c.shot;
        EXPECT_EQ(dialog.url, c.expectedUrl) << c.shot;
        EXPECT_EQ(dialog.tip, c.expectedUrl) << c.shot;
        // A centred static shrinks around its text on the same midpoint.
        EXPECT_LT(Width(look.link), Width(dialog.templateLink)) << c.shot;
        EXPECT_NEAR((look.link.left + look.link.right) / 2.0,
                    (dialog.templateLink.left + dialog.templateLink.right) / 2.0, 1.0)
            << c.shot;
        EXPECT_EQ(look.link.top, dialog.templateLink.top) << c.shot;
    }
    EXPECT_EQ(fw::LoadResString(IDS_COMPONENTS_URL),
              "http://www.orvo.example/products/lumetto/support.asp?s=components");
}

}  // namespace
}  // namespace zephyne_test
