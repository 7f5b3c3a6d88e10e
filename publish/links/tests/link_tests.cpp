// Both link controls in their dialogs on the screen, driven with real mouse
// input: hover colours, capture and cursor, clicks that open through the
// shell (a file type registered for the test runs a recorder in place of a
// browser), the ".htm" fallback, and the messages of a failed open.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

#include <fstream>
#include <sstream>

#include "framework/app.h"
#include "message_box_answerer.h"
#include "missing_component_dlg.h"
#include "open_command.h"
#include "open_link.h"
#include "registry_sandbox.h"
#include "save_completed_dlg.h"
#include "screen_input.h"
#include "screen_shot.h"
#include "fake_script.h"
#include "zephyne_ids.h"

namespace zephyne_test {
namespace {

using namespace zephyne;
using namespace testsupport;

constexpr DWORD kOpenMs = 10000;

std::string TempFile(const std::string &name) {
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "zephyne-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
}

std::string ReadAll(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Recorder() {
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    return folder.substr(0, folder.find_last_of('\\')) + "\\record_arguments.exe";
}

void SetClassesDefault(const std::string &path, const std::string &value) {
    ::RegSetKeyValueA(HKEY_CLASSES_ROOT, path.c_str(), nullptr, REG_SZ, value.c_str(),
                      static_cast<DWORD>(value.size() + 1));
}

// The file type ".zephynepage" opens with the recorder, and so does ".htm"
// (its old registration is put back afterwards); the recorder writes its
// command line into `Output()`.
class Registrations {
public:
    explicit Registrations(const std::string &htmCommand = "") {
        char old[MAX_PATH] = "";
        LONG size = sizeof old;
        hadHtm_ = ::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", old, &size) == ERROR_SUCCESS;
        oldHtm_ = old;
        std::string command = "\"" + Recorder() + "\" \"" + output_ + "\" \"%1\"";
        SetClassesDefault(".zephynepage", "ZephyneTest.page");
        SetClassesDefault("ZephyneTest.page\\shell\\open\\command", command);
        SetClassesDefault(".htm", "ZephyneTest.htm");
        SetClassesDefault("ZephyneTest.htm\\shell\\open\\command",
                          htmCommand.empty() ? command : htmCommand);
        ::DeleteFileA(output_.c_str());
    }
    ~Registrations() {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ZephyneTest.page");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "ZephyneTest.page");
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ZephyneTest.htm");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "ZephyneTest.htm");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".zephynepage");
        if (hadHtm_)
            SetClassesDefault(".htm", oldHtm_);
        else
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        ::DeleteFileA(output_.c_str());
    }
    const std::string &Output() const { return output_; }
    bool Opened() const {
        return PumpUntil([&] { return !ReadAll(output_).empty(); }, kOpenMs);
    }

private:
    std::string output_ = TempFile("opened.txt");
    bool hadHtm_ = false;
    std::string oldHtm_;
};

// A page file of the registered type.
std::string MakePage() {
    std::string page = TempFile("page.zephynepage");
    std::ofstream(page) << "<html></html>";
    return page;
}

void Shoot(HWND window, const std::string &name) {
    RECT r;
    ::GetWindowRect(window, &r);
    EXPECT_GT(testsupport::ShootScreen(r, testsupport::ScreenshotFolder("zephyne-screenshots") +
                                              "\\" + name + ".png"),
              3u);
}

// How many pixels of a window's client area, as it is on the screen, have
// exactly this colour.
int PixelsOfColour(HWND window, COLORREF colour) {
    RECT client;
    ::GetClientRect(window, &client);
    HDC screen = ::GetDC(window);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const uint32_t wanted =
        (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    const auto *pixel = static_cast<const uint32_t *>(bits);
    for (int i = 0; i < client.right * client.bottom; ++i)
        count += (pixel[i] & 0xFFFFFF) == wanted ? 1 : 0;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, screen);
    return count;
}

// Paints the window again now, from scratch.
void RepaintNow(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::GdiFlush();
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox.Ready());
        UseZephyneProductKey();
        MovePointerTo(POINT{2, 2});
    }
    testsupport::RegistrySandbox sandbox;
};

TEST_F(LinkTest, StaticLinkHoversOpensAndTurnsVisited) {
    Registrations registered;
    std::string page = MakePage();
    CMissingComponentDlg dialog;
    ASSERT_TRUE(dialog.Create());
    CLinkStatic &link = dialog.Link();
    HWND control = link.GetSafeHwnd();
    ASSERT_NE(control, nullptr);
    link.SetURL(page);
    EXPECT_EQ(link.ToolTip().GetToolText(control, 1), page);
    // The help program's hand where the platform has it, else the system's.
    EXPECT_NE(CLinkStatic::LinkCursor(), nullptr);

    EXPECT_EQ(link.TextColour(), RGB(0, 0, 238));
    MovePointerTo(ScreenCentreOf(control));
    EXPECT_TRUE(PumpUntil([&] { return link.IsOverControl(); }, kOpenMs));
    EXPECT_EQ(::GetCapture(), control);
    EXPECT_EQ(link.TextColour(), ::GetSysColor(COLOR_HIGHLIGHT));
    Shoot(dialog.GetSafeHwnd(), "missing-component-hover");

    // Off the control (but still over the dialog): colour and capture go.
    MovePointerTo(ScreenPointOf(dialog.GetSafeHwnd(), POINT{10, 10}));
    EXPECT_TRUE(PumpUntil([&] { return !link.IsOverControl(); }, kOpenMs));
    EXPECT_NE(::GetCapture(), control);
    EXPECT_EQ(link.TextColour(), RGB(0, 0, 238));

    MovePointerTo(ScreenCentreOf(control));
    ClickLeft();
    ASSERT_TRUE(registered.Opened());
    EXPECT_NE(ReadAll(registered.Output()).find(page), std::string::npos)
        << ReadAll(registered.Output());
    EXPECT_TRUE(link.IsVisited());
    MovePointerTo(ScreenPointOf(dialog.GetSafeHwnd(), POINT{10, 10}));
    PumpUntil([&] { return !link.IsOverControl(); }, kOpenMs);
    EXPECT_EQ(link.TextColour(), RGB(85, 26, 139));
    ::DeleteFileA(page.c_str());
}

// What the shell cannot open goes to the ".htm" command; what neither can
// open is explained; an address too long for the command buffer is not run.
TEST_F(LinkTest, StaticLinkFallsBackOnTheHtmCommandAndExplainsFailures) {
    const std::string missing = "C:\\no-such-folder\\page.unregistered";
    {
        Registrations registered;
        EXPECT_EQ(OpenLink(missing, SW_SHOW) > 32, true);
        ASSERT_TRUE(registered.Opened());
        std::string line = ReadAll(registered.Output());
        // The command up to its quoted "%1", a blank and the address.
        EXPECT_NE(line.find("\"  " + missing), std::string::npos) << line;
    }
    {
        Registrations registered;
        const std::string longAddress = "C:\\no-such-folder\\" + std::string(600, 'a');
        int shellReply = static_cast<int>(reinterpret_cast<INT_PTR>(
            ::ShellExecuteA(nullptr, "open", longAddress.c_str(), nullptr, nullptr, SW_SHOW)));
        ASSERT_LE(shellReply, 32);
        EXPECT_EQ(OpenLink(longAddress, SW_SHOW), shellReply);
        EXPECT_FALSE(PumpUntil([&] { return !ReadAll(registered.Output()).empty(); }, 1000));
    }
    {
        Registrations registered("\"C:\\no-such-folder\\browser.exe\" \"%1\"");
        CMissingComponentDlg dialog;
        ASSERT_TRUE(dialog.Create());
        dialog.Link().SetURL(missing);
        testsupport::MessageBoxAnswerer answerer(IDOK);
        ASSERT_TRUE(answerer.Installed());
        MovePointerTo(ScreenCentreOf(dialog.Link().GetSafeHwnd()));
        ClickLeft();
        EXPECT_TRUE(PumpUntil([&] { return answerer.boxes == 1; }, kOpenMs));
        EXPECT_EQ(answerer.caption, fw::CApp::Current()->GetAppName());
        int reply = static_cast<int>(
            ::WinExec(("\"C:\\no-such-folder\\browser.exe\"  " + missing).c_str(), SW_SHOW));
        EXPECT_EQ(answerer.text, OpenErrorMessage(reply));
        EXPECT_FALSE(dialog.Link().IsVisited());
    }
    testsupport::MessageBoxAnswerer answerer(IDOK);
    ReportOpenError(12);
    EXPECT_EQ(answerer.text, "Unable to open hyperlink:\n\nUnknown Error (12) occurred.");
    ReportOpenError(26);
    EXPECT_EQ(answerer.text, "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(answerer.boxes, 2);
}

TEST_F(LinkTest, LabelHoversOnItsTextOnlyAndOpensOnAClickThere) {
    Registrations registered;
    std::string page = MakePage();
    CSaveCompletedDlg dialog(page, page);
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOW);
    ::UpdateWindow(dialog.GetSafeHwnd());
    Settle();
    CLinkLabel &label = dialog.Label();
    HWND hwnd = label.GetSafeHwnd();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(label.BackgroundColour(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(label.LinkCursor(), nullptr);

    const RECT text = label.TextRect();
    RECT client;
    ::GetClientRect(hwnd, &client);
    ASSERT_GT(text.left, client.left + 4) << "the text should leave room beside it";
    // Beside the text: no hover, and a click opens nothing.
    MovePointerTo(ScreenPointOf(hwnd, POINT{client.left + 2, (text.top + text.bottom) / 2}));
    EXPECT_FALSE(label.IsHovering());
    ClickLeft();
    EXPECT_FALSE(PumpUntil([&] { return !ReadAll(registered.Output()).empty(); }, 500));

    POINT onText = {(text.left + text.right) / 2, (text.top + text.bottom) / 2};
    MovePointerTo(ScreenPointOf(hwnd, onText));
    EXPECT_TRUE(PumpUntil([&] { return label.IsHovering(); }, kOpenMs));
    EXPECT_EQ(::GetCapture(), hwnd);
    Shoot(dialog.GetSafeHwnd(), "save-completed-hover");

    const COLORREF hoverColour = RGB(0, 0, 255);  // the dialog's
    RepaintNow(hwnd);
    EXPECT_GT(PixelsOfColour(hwnd, hoverColour), 0) << "hovering, in the hover colour";

    ClickLeft();
    ASSERT_TRUE(registered.Opened());
    EXPECT_NE(ReadAll(registered.Output()).find(page), std::string::npos);
    // After a click, and however often it paints, the label keeps the hover
    // colour until the mouse moves again. The click is sent straight to the
    // label here, so that no move the system makes up after real input comes
    // between the click and the look.
    ::DeleteFileA(registered.Output().c_str());
    const LPARAM textPoint = MAKELPARAM(onText.x, onText.y);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, textPoint);
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, textPoint);
    EXPECT_TRUE(label.IsHovering());
    RepaintNow(hwnd);
    EXPECT_GT(PixelsOfColour(hwnd, hoverColour), 0) << "after the click, before a move";
    EXPECT_TRUE(registered.Opened());

    MovePointerTo(ScreenPointOf(hwnd, POINT{client.left + 2, (text.top + text.bottom) / 2}));
    EXPECT_FALSE(label.IsHovering());
    EXPECT_NE(::GetCapture(), hwnd);
    RepaintNow(hwnd);
    EXPECT_EQ(PixelsOfColour(hwnd, hoverColour), 0) << "moved off the text";
    ::DeleteFileA(page.c_str());
}

// The fit keeps the edge, or the midpoint, that the style's SS_CENTER and
// SS_RIGHT bits say, for any static type: a simple static (both bits set)
// keeps its midpoint like a centred one.
TEST_F(LinkTest, StaticLinkKeepsTheEdgeItsStyleBitsSay) {
    fw::CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr));
    enum Keeps { kLeftEdge, kMidpoint, kRightEdge };
    struct Case {
        const char *what;
        DWORD type;
        Keeps keeps;
    } cases[] = {
        {"SS_LEFT", SS_LEFT, kLeftEdge},
        {"SS_CENTER", SS_CENTER, kMidpoint},
        {"SS_RIGHT", SS_RIGHT, kRightEdge},
        {"SS_SIMPLE", SS_SIMPLE, kMidpoint},
        {"SS_LEFTNOWORDWRAP", SS_LEFTNOWORDWRAP, kLeftEdge},
        {"SS_OWNERDRAW", SS_OWNERDRAW, kMidpoint},
    };
    for (const Case &c : cases) {
        HWND control = ::CreateWindowExA(0, "STATIC", "http://a.example/", WS_CHILD | c.type, 20,
                                         10, 300, 30, parent.GetSafeHwnd(), nullptr, nullptr,
                                         nullptr);
        ASSERT_NE(control, nullptr) << c.what;
        RECT r = {};
        {
            CLinkStatic link;
            ASSERT_TRUE(link.AttachToControl(control)) << c.what;
            ::GetWindowRect(control, &r);
            ::MapWindowPoints(nullptr, parent.GetSafeHwnd(), reinterpret_cast<POINT *>(&r), 2);
        }
        ::DestroyWindow(control);
        EXPECT_LT(r.right - r.left, 300) << c.what << ": not fitted to its text";
        EXPECT_GT(r.right - r.left, 0) << c.what;
        switch (c.keeps) {
        case kLeftEdge:
            EXPECT_EQ(r.left, 20) << c.what;
            break;
        case kMidpoint:
            EXPECT_EQ(r.left + r.right, 20 + 320) << c.what;
            break;
        case kRightEdge:
            EXPECT_EQ(r.right, 320) << c.what;
            break;
        }
    }
}

TEST_F(LinkTest, LabelWithBlanksIsLaidOutOneWordPerLine) {
    fw::CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr));
    CLinkLabel label;
    ASSERT_TRUE(label.Create(parent.GetSafeHwnd(), RECT{0, 0, 300, 100}, 5));
    label.SetWindowText("nowrap");
    RECT one = label.Layout();
    label.SetWindowText("open the new pages");
    RECT four = label.Layout();
    EXPECT_EQ(four.bottom, 4 * one.bottom);
    label.SetWordWrap(false);
    RECT single = label.Layout();
    EXPECT_EQ(single.bottom, one.bottom);
    EXPECT_GT(single.right, four.right);
}

}  // namespace
}  // namespace zephyne_test
