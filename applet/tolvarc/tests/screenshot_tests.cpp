// Screenshots of the applet's dialogs and tray menu, filled in the way the
// applet fills them, written as PNG files to <build>/tolvarc-screenshots/ for
// review by eye. Each test also checks that something was really drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "png_writer.h"
#include "screen_shot.h"
#include "resource_probe.h"
#include "tolvarc_ids.h"

using namespace tolvarc_test;

namespace {

std::string ShotDirectory() {
    return testsupport::ScreenshotFolder("tolvarc-screenshots");
}

// Copies `rect` of the screen and writes it as `name`.png; returns the
// number of distinct colours seen.
size_t Shoot(const RECT &rect, const std::string &name) {
    return testsupport::ShootScreen(rect, ShotDirectory() + "\\" + name + ".png");
}

// Shows `dlg` on top of everything, lets it paint, shoots it, destroys it.
void ShowAndShoot(HWND dlg, const std::string &name, bool keepPosition = false) {
    ASSERT_NE(dlg, nullptr);
    if (!keepPosition)
        SetWindowPos(dlg, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    else
        SetWindowPos(dlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    UpdateWindow(dlg);
    for (int i = 0; i < 10; ++i) {
        PumpMessages();
        Sleep(30);
    }
    RECT r;
    GetWindowRect(dlg, &r);
    EXPECT_GT(Shoot(r, name), 8u) << name << " looks blank";
    DestroyWindow(dlg);
    PumpMessages();
}

std::string Title() {
    return LoadText(IDS_APP_TITLE);
}

}  // namespace

TEST(TolvarcScreenshots, About) {
    HWND dlg = CreateDialogFromLibrary(IDD_ABOUT);
    ASSERT_NE(dlg, nullptr);
    SetDlgItemTextA(dlg, IDC_ABOUT_NAME, Title().c_str());
    SetWindowTextA(dlg, FormatOne(LoadText(IDS_ABOUT_CAPTION), Title()).c_str());
    ShowAndShoot(dlg, "about");
}

TEST(TolvarcScreenshots, Notice) {
    HWND dlg = CreateDialogFromLibrary(IDD_NOTICE);
    ASSERT_NE(dlg, nullptr);
    // Placed as while connecting: lower right corner, 40 pixels above the
    // bottom of the screen.
    RECT r;
    GetWindowRect(dlg, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(dlg, HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - w,
                 GetSystemMetrics(SM_CYSCREEN) - h - 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ShowAndShoot(dlg, "notice", true);
}

namespace {

void ShootOptions(int kind, const std::string &name) {
    HWND dlg = CreateDialogFromLibrary(IDD_OPTIONS);
    ASSERT_NE(dlg, nullptr);
    std::string manual, automatic;
    switch (kind) {
    case 1:
        manual = LoadText(IDS_OPTIONS_CARD_MANUAL);
        automatic = LoadText(IDS_OPTIONS_CARD_AUTO);
        break;
    case 2:
        manual = LoadText(IDS_OPTIONS_CABLE_MANUAL);
        automatic = LoadText(IDS_OPTIONS_CABLE_AUTO);
        break;
    case 4:
        manual = FormatOne(LoadText(IDS_OPTIONS_TWAIN_NAMED), "Flatbed Scanner 4800 TWAIN Source");
        automatic = LoadText(IDS_OPTIONS_TWAIN_AUTO);
        break;
    default:
        manual = LoadText(IDS_OPTIONS_ANY_MANUAL);
        automatic = LoadText(IDS_OPTIONS_ANY_AUTO);
        break;
    }
    SetDlgItemTextA(dlg, IDC_DOWNLOAD_MANUAL, manual.c_str());
    SetDlgItemTextA(dlg, IDC_DOWNLOAD_AUTO, automatic.c_str());
    EnableWindow(GetDlgItem(dlg, IDC_DOWNLOAD_AUTO), kind != 4);
    // The choices of an empty registry.
    CheckDlgButton(dlg, IDC_SHOW_AT_START, BST_CHECKED);
    CheckRadioButton(dlg, IDC_DOWNLOAD_MANUAL, IDC_DOWNLOAD_AUTO, IDC_DOWNLOAD_MANUAL);
    CheckRadioButton(dlg, IDC_RUN_FULL_APP, IDC_RUN_CAMERA_ONLY, IDC_RUN_CAMERA_ONLY);
    ShowAndShoot(dlg, name);
}

}  // namespace

TEST(TolvarcScreenshots, OptionsAnyConnection) {
    ShootOptions(0, "options-kind0");
}
TEST(TolvarcScreenshots, OptionsMemoryCard) {
    ShootOptions(1, "options-kind1");
}
TEST(TolvarcScreenshots, OptionsCable) {
    ShootOptions(2, "options-kind2");
}
TEST(TolvarcScreenshots, OptionsTwain) {
    ShootOptions(4, "options-kind4");
}

TEST(TolvarcScreenshots, Album) {
    HWND dlg = CreateDialogFromLibrary(IDD_ALBUM);
    ASSERT_NE(dlg, nullptr);
    SetDlgItemTextA(dlg, IDC_ALBUM_NAME, "December 06, 2026");
    SetDlgItemTextA(dlg, IDC_ALBUM_LOCATION,
                    FormatOne(LoadText(IDS_ALBUM_LOCATION), "D:\\Pictures").c_str());
    ShowAndShoot(dlg, "album");
}

TEST(TolvarcScreenshots, AlbumWithALongFolder) {
    HWND dlg = CreateDialogFromLibrary(IDD_ALBUM);
    ASSERT_NE(dlg, nullptr);
    SetDlgItemTextA(dlg, IDC_ALBUM_NAME, "December 06, 2026");
    SetDlgItemTextA(
        dlg, IDC_ALBUM_LOCATION,
        FormatOne(LoadText(IDS_ALBUM_LOCATION), "C:\\Documents and Settings\\Someone\\My "
                                                "Documents\\My Pictures\\Camera Downloads\\2026")
            .c_str());
    ShowAndShoot(dlg, "album-long-folder");
}

namespace {

struct MenuShot {
    std::string name;
    size_t colours = 0;
};

VOID CALLBACK ShootMenu(HWND owner, UINT, UINT_PTR id, DWORD) {
    KillTimer(owner, id);
    auto shot = reinterpret_cast<MenuShot *>(GetWindowLongPtrA(owner, GWLP_USERDATA));
    HWND popup = FindWindowA("#32768", nullptr);
    if (popup && IsWindowVisible(popup)) {
        RECT r;
        GetWindowRect(popup, &r);
        shot->colours = Shoot(r, shot->name);
    }
    EndMenu();
}

void ShootTrayMenu(int taskState, const std::string &name) {
    // Owned by the hidden main dialog, as in the applet.
    HWND owner = CreateDialogFromLibrary(IDD_APPLET);
    ASSERT_NE(owner, nullptr);
    MenuShot shot{name};
    SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&shot));
    HMENU menu = LoadMenuA(Library(), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    HMENU tray = GetSubMenu(menu, 0);
    if (taskState == 1) {
        EnableMenuItem(tray, ID_TRAY_START, MF_BYCOMMAND | MF_GRAYED);
        CheckMenuItem(tray, ID_TRAY_START, MF_BYCOMMAND | MF_CHECKED);
    } else if (taskState == 2) {
        CheckMenuItem(tray, ID_TRAY_DOWNLOAD, MF_BYCOMMAND | MF_CHECKED);
    } else {
        EnableMenuItem(tray, ID_TRAY_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
    SetForegroundWindow(owner);
    SetTimer(owner, 1, 500, ShootMenu);
    TrackPopupMenu(tray, TPM_RIGHTBUTTON, 200, 200, 0, owner, nullptr);
    PostMessageA(owner, WM_USER, 0, 0);
    DestroyMenu(menu);
    DestroyWindow(owner);
    PumpMessages();
    // Tahoma is drawn without smoothing: text, grayed text, separator and
    // background. A capture that missed the menu shows one or two colours.
    EXPECT_GE(shot.colours, 4u) << "menu not captured";
}

}  // namespace

TEST(TolvarcScreenshots, TrayMenuIdle) {
    ShootTrayMenu(0, "tray-menu-idle");
}
TEST(TolvarcScreenshots, TrayMenuTaskOpen) {
    ShootTrayMenu(1, "tray-menu-open");
}

TEST(TolvarcScreenshots, Icons) {
    // Both icons at 16 and 32 pixels on the dialog background, magnified 4x.
    const int scale = 4, pad = 4;
    const int w = (pad + 16 + pad + 32 + pad) * scale, h = (pad + 32 + pad) * 2 * scale;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w / scale;
    bi.bmiHeader.biHeight = -(h / scale);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    RECT all = {0, 0, w / scale, h / scale};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    int row = 0;
    for (int id : {IDI_APPLET, IDI_TRAY}) {
        int x = pad;
        for (int size : {16, 32}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(Library(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            DrawIconEx(dc, x, pad + row * (32 + 2 * pad), icon, size, size, 0, nullptr, DI_NORMAL);
            DestroyIcon(icon);
            x += size + pad;
        }
        ++row;
    }
    GdiFlush();
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    auto px = static_cast<const DWORD *>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            DWORD p = px[(y / scale) * (w / scale) + x / scale];
            uint8_t *o = &rgb[(size_t(y) * w + x) * 3];
            o[0] = uint8_t(p >> 16);
            o[1] = uint8_t(p >> 8);
            o[2] = uint8_t(p);
        }
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    std::string path = ShotDirectory() + "\\icons.png";
    EXPECT_TRUE(testsupport::WritePng(path, w, h, rgb));
    std::printf("screenshot: %s\n", path.c_str());
}
