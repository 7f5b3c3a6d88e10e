// Tolvarc.dll as the applet sees it: every number it loads is present, the
// texts hold their "%1" where the applet formats one, the tray menu carries
// the six commands, the dialogs are created from their templates with the
// control identifiers the applet exchanges data with, and the hidden main
// dialog never shows a pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/registry_key.h"
#include "resource_probe.h"
#include "tolvarc_ids.h"

using namespace tolvarc_test;

// The header must name exactly the numbers the applet was written against.
static_assert(IDI_APPLET == 128 && IDI_TRAY == 147, "icon numbers");
static_assert(IDR_TRAY_MENU == 103, "menu number");
static_assert(ID_TRAY_START == 32771 && ID_TRAY_CLOSE == 32772 && ID_TRAY_EXIT == 32773 &&
                  ID_TRAY_DOWNLOAD == 32774 && ID_TRAY_ABOUT == 32775 && ID_TRAY_OPTIONS == 32776,
              "tray commands");
static_assert(IDD_ABOUT == 100 && IDD_APPLET == 102 && IDD_NOTICE == 148 && IDD_OPTIONS == 149 &&
                  IDD_ALBUM == 297,
              "dialog numbers");
static_assert(IDC_ABOUT_NAME == 1006, "About controls");
static_assert(IDC_SHOW_AT_START == 1012 && IDC_DOWNLOAD_MANUAL == 1013 &&
                  IDC_DOWNLOAD_AUTO == 1014 && IDC_RUN_FULL_APP == 1018 &&
                  IDC_RUN_CAMERA_ONLY == 1019 && IDC_AUTO_RUN == 1020,
              "Options controls");
static_assert(IDC_ALBUM_NAME == 1016 && IDC_ALBUM_BROWSE == 1018 && IDC_ALBUM_LOCATION == 1689,
              "album controls");
static_assert(IDS_OLE_INIT_FAILED == 102 && IDS_EXIT_QUESTION == 104 &&
                  IDS_HOST_CREATE_FAILED == 106 && IDS_HOST_CALL_FAILED == 107 &&
                  IDS_TASK_ALREADY_OPEN == 999 && IDS_APP_TITLE == 57345 &&
                  IDS_ABOUT_CAPTION == 57346 && IDS_BUSY_TIP == 57347 && IDS_HOST_NAME == 57348,
              "applet strings");
static_assert(IDS_DEFAULT_CARD_PATH == 956 && IDS_DEFAULT_CARD_FILE == 962 &&
                  IDS_PRODUCT_KEY == 990,
              "settings strings");
static_assert(IDS_FLAG_CESYNC == 277 && IDS_FLAG_CAMERADIRECT == 930 &&
                  IDS_FLAG_CAMERASERIAL == 931 && IDS_FLAG_AUTODOWNLOAD == 964 &&
                  IDS_FLAG_AUDIO == 970 && IDS_FLAG_FLASHPATH == 991 && IDS_FLAG_TOSHIBAMODE == 993,
              "flag strings");
static_assert(IDS_OPTIONS_ANY_MANUAL == 112 && IDS_OPTIONS_ANY_AUTO == 113 &&
                  IDS_OPTIONS_CARD_MANUAL == 115 && IDS_OPTIONS_CARD_AUTO == 116 &&
                  IDS_OPTIONS_CABLE_MANUAL == 124 && IDS_OPTIONS_CABLE_AUTO == 125 &&
                  IDS_OPTIONS_TWAIN_MANUAL == 995 && IDS_OPTIONS_TWAIN_NAMED == 996 &&
                  IDS_OPTIONS_TWAIN_AUTO == 997,
              "Options strings");
static_assert(IDS_ALBUM_CREATE_FAILED == 202 && IDS_ALBUM_PICKER_TITLE == 274 &&
                  IDS_ALBUM_PICKER_OK == 280 && IDS_PICKER_TITLE == 281 &&
                  IDS_PICKER_LABEL == 282 && IDS_PICKER_OK == 283 && IDS_ALBUM_LOCATION == 1669,
              "album strings");

namespace {

// Every string the applet loads, and how many "%1" each must hold.
const std::map<UINT, int> kStrings = {
    {102, 0},   {104, 1},   {106, 1}, {107, 0}, {999, 0}, {57345, 0}, {57346, 1},
    {57347, 1}, {57348, 0}, {956, 0}, {962, 0}, {990, 0}, {277, 0},   {930, 0},
    {931, 0},   {964, 0},   {970, 0}, {991, 0}, {993, 0}, {112, 0},   {113, 0},
    {115, 0},   {116, 0},   {124, 0}, {125, 0}, {995, 0}, {996, 1},   {997, 0},
    {202, 1},   {274, 0},   {280, 0}, {281, 0}, {282, 0}, {283, 0},   {1669, 1},
};

// A name as long as real TWAIN sources' names run (33 characters), for the
// "%1" of string 996.
const char kSampleTwainSource[] = "Flatbed Scanner 4800 TWAIN Source";
static_assert(sizeof kSampleTwainSource - 1 == 33, "sample source name length");

bool IsOutOfSight(HWND hwnd) {
    RECT window;
    GetWindowRect(hwnd, &window);
    if (window.right <= window.left || window.bottom <= window.top)
        return true;
    RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT common;
    return !IntersectRect(&common, &window, &screen);
}

std::string Describe(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return "window at (" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + "), style " +
           std::to_string(GetWindowLongA(hwnd, GWL_STYLE)) + ", visible " +
           std::to_string(IsWindowVisible(hwnd) ? 1 : 0);
}

// Destroys a window at the end of a scope.
struct WindowGuard {
    HWND hwnd;
    ~WindowGuard() {
        if (hwnd)
            DestroyWindow(hwnd);
    }
};

}  // namespace

// ---------------------------------------------------------------------------
// The library itself

TEST(TolvarcLibrary, LoadsByNameFromTheProgramFolder) {
    ASSERT_NE(Library(), nullptr) << "LoadLibraryA(\"Tolvarc.dll\") failed, error "
                                  << GetLastError();
}

TEST(TolvarcLibrary, LoadsAsDataFileToo) {
    char path[MAX_PATH];
    ASSERT_NE(Library(), nullptr);
    ASSERT_GT(GetModuleFileNameA(Library(), path, MAX_PATH), 0u);
    HMODULE data = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr) << path;
    char title[256] = "";
    EXPECT_GT(LoadStringA(data, 57345, title, sizeof title), 0);
    EXPECT_NE(FindResourceA(data, MAKEINTRESOURCEA(149), reinterpret_cast<LPCSTR>(RT_DIALOG)),
              nullptr);
    FreeLibrary(data);
}

TEST(TolvarcLibrary, HoldsNoCodeAndImportsNothing) {
    HMODULE module = Library();
    ASSERT_NE(module, nullptr);
    auto base = reinterpret_cast<const BYTE *>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u)
        << "a resource library needs no entry point";
    // The linker may leave an empty import table; it must name no library.
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.Size != 0) {
        auto descriptor =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
        for (; descriptor->Name != 0; ++descriptor)
            ADD_FAILURE() << "imports " << reinterpret_cast<const char *>(base + descriptor->Name);
    }
    EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].Size, 0u);
}

// ---------------------------------------------------------------------------
// Strings

TEST(TolvarcStrings, EveryNumberIsPresentAndNotEmpty) {
    for (const auto &entry : kStrings) {
        SCOPED_TRACE("string " + std::to_string(entry.first));
        EXPECT_TRUE(HasStringResource(entry.first));
        EXPECT_FALSE(LoadText(entry.first).empty());
    }
}

TEST(TolvarcStrings, HoldPercentOneExactlyWhereTheAppletFormatsOne) {
    for (const auto &entry : kStrings) {
        std::string text = LoadText(entry.first);
        EXPECT_EQ(CountOf(text, "%1"), entry.second)
            << "string " << entry.first << ": \"" << text << "\"";
        // No other insert: the applet formats only %1.
        for (char digit = '2'; digit <= '9'; ++digit)
            EXPECT_EQ(CountOf(text, std::string("%") + digit), 0)
                << "string " << entry.first << ": \"" << text << "\"";
    }
}

TEST(TolvarcStrings, ArePlainSingleByteText) {
    for (const auto &entry : kStrings) {
        std::string text = LoadText(entry.first);
        for (unsigned char c : text)
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F))
                << "string " << entry.first << " has byte " << int(c);
        EXPECT_EQ(text, std::string(text.c_str())) << "string " << entry.first << " holds a NUL";
        if (!text.empty()) {
            EXPECT_NE(text.front(), ' ') << "string " << entry.first;
            EXPECT_NE(text.back(), ' ') << "string " << entry.first;
            EXPECT_NE(text.back(), '\n') << "string " << entry.first;
        }
    }
}

TEST(TolvarcStrings, TooltipsFitTheNotificationArea) {
    // The tray tip field holds 127 characters; longer tips are cut.
    std::string title = LoadText(IDS_APP_TITLE);
    EXPECT_LE(title.size(), 127u) << title;
    std::string busy = FormatOne(LoadText(IDS_BUSY_TIP), title);
    EXPECT_LE(busy.size(), 127u) << busy;
    EXPECT_NE(busy, title) << "the busy tip must differ from the idle one";
    EXPECT_NE(busy.find(title), std::string::npos) << busy;
    EXPECT_EQ(title.find('\n'), std::string::npos);
    EXPECT_EQ(busy.find('\n'), std::string::npos);
}

TEST(TolvarcStrings, FormattedMessagesNameTheirArgument) {
    std::string title = LoadText(IDS_APP_TITLE);
    std::string exit = FormatOne(LoadText(IDS_EXIT_QUESTION), title);
    EXPECT_NE(exit.find(title), std::string::npos) << exit;
    EXPECT_NE(exit.find('?'), std::string::npos)
        << "the exit message is a yes/no question: " << exit;
    std::string host = FormatOne(LoadText(IDS_HOST_CREATE_FAILED), LoadText(IDS_HOST_NAME));
    EXPECT_NE(host.find(LoadText(IDS_HOST_NAME)), std::string::npos) << host;
    std::string about = FormatOne(LoadText(IDS_ABOUT_CAPTION), title);
    EXPECT_NE(about.find(title), std::string::npos) << about;
    EXPECT_EQ(about.find('\n'), std::string::npos) << "a caption is one line";
}

TEST(TolvarcStrings, ProductKeyIsOneRegistryKeyName) {
    std::string key = LoadText(IDS_PRODUCT_KEY);
    ASSERT_FALSE(key.empty())
        << "an empty name would put the settings straight under Software\\Orvo";
    EXPECT_LE(key.size(), 255u);
    EXPECT_EQ(key.find('\\'), std::string::npos) << key;
    EXPECT_EQ(key.find('\n'), std::string::npos) << key;

    // It must really create and open as one level below a maker key.
    const std::string sandbox = "Software\\TolvarcTestSandbox";
    RegDeleteTreeA(HKEY_CURRENT_USER, sandbox.c_str());
    ASSERT_TRUE(platform::RegistryKey::Create(HKEY_CURRENT_USER, sandbox + "\\" + key));
    const auto maker = platform::RegistryKey::Open(HKEY_CURRENT_USER, sandbox);
    ASSERT_TRUE(maker);
    EXPECT_EQ(maker.SubkeyNames().size(), 1u);
    RegDeleteTreeA(HKEY_CURRENT_USER, sandbox.c_str());
}

// The flag defaults as the applet reads them: "true" in any case means on.
TEST(TolvarcStrings, FeatureFlagDefaultsReadAsIntended) {
    struct Flag {
        UINT id;
        const char *name;
        bool on;
    };
    // On: the card watch, the serial camera and the camera's own card kind.
    // Off: automatic download (the user chooses in the Options dialog), and the
    // features this applet does not have.
    const Flag flags[] = {
        {964, "autodownload", false}, {970, "audio", false},      {930, "cameradirect", true},
        {931, "cameraserial", true},  {993, "toshibamode", true}, {991, "flashpath", false},
        {277, "cesync", false},
    };
    for (const Flag &flag : flags) {
        std::string text = LoadText(flag.id);
        // Written plainly so that nobody misreads them: exactly "true" or "false".
        EXPECT_TRUE(text == "true" || text == "false")
            << flag.name << " (" << flag.id << "): \"" << text << "\"";
        bool on = lstrcmpiA(text.c_str(), "true") == 0;
        EXPECT_EQ(on, flag.on) << flag.name << " (" << flag.id << "): \"" << text << "\"";
    }
}

namespace {

std::string Trim(const std::string &s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> SplitFolders(const std::string &list) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t semi = list.find(';', start);
        out.push_back(
            Trim(list.substr(start, semi == std::string::npos ? std::string::npos : semi - start)));
        if (semi == std::string::npos)
            break;
        start = semi + 1;
    }
    return out;
}

bool HasWildcard(const std::string &s) {
    return s.find_first_of("*#?") != std::string::npos;
}

}  // namespace

TEST(TolvarcStrings, CardFolderDefaultIsAListOfRelativeFolders) {
    std::string list = LoadText(IDS_DEFAULT_CARD_PATH);
    for (const std::string &folder : SplitFolders(list)) {
        SCOPED_TRACE("PCCardPath default \"" + list + "\"");
        EXPECT_FALSE(folder.empty()) << "blank piece";
        EXPECT_FALSE(HasWildcard(folder)) << folder << ": folders are not patterns";
        EXPECT_FALSE(folder.size() > 1 && folder[1] == ':')
            << folder << ": a drive would tie the test to one letter";
        EXPECT_NE(folder.front(), '\\') << folder;
        EXPECT_EQ(folder.find_first_of("<>|\"/"), std::string::npos) << folder;
    }
}

TEST(TolvarcStrings, CardFileDefaultLiesInACardFolder) {
    std::string file = LoadText(IDS_DEFAULT_CARD_FILE);
    ASSERT_FALSE(file.empty());
    if (file == "-")
        return;  // no file required
    EXPECT_FALSE(file.size() > 1 && file[1] == ':') << file;
    EXPECT_NE(file.front(), '\\') << file;
    EXPECT_EQ(file.find_first_of("<>|\"/"), std::string::npos) << file;
    size_t slash = file.rfind('\\');
    std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash);
    std::string name = file.substr(slash == std::string::npos ? 0 : slash + 1);
    EXPECT_FALSE(name.empty()) << file;
    // Wildcards act only in the last component.
    EXPECT_FALSE(HasWildcard(folder)) << file;
    // The file is looked for on a card that passed the folder test, so its
    // folder should be one of those folders (or the card's root).
    if (!folder.empty()) {
        std::vector<std::string> folders = SplitFolders(LoadText(IDS_DEFAULT_CARD_PATH));
        bool known = false;
        for (const std::string &f : folders)
            known = known || lstrcmpiA(f.c_str(), folder.c_str()) == 0;
        EXPECT_TRUE(known) << file << " is not below any of " << LoadText(IDS_DEFAULT_CARD_PATH);
    }
}

// ---------------------------------------------------------------------------
// Tray menu

TEST(TolvarcMenu, FirstSubmenuHoldsTheSixCommandsOnce) {
    HMENU menu = LoadMenuA(Library(), MAKEINTRESOURCEA(103));
    ASSERT_NE(menu, nullptr);
    HMENU tray = GetSubMenu(menu, 0);
    ASSERT_NE(tray, nullptr);
    std::map<UINT, int> seen;
    std::set<char> mnemonics;
    int count = GetMenuItemCount(tray);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        char text[256] = "";
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(tray, i, TRUE, &info));
        if (info.fType & MFT_SEPARATOR) {
            EXPECT_TRUE(i > 0 && i < count - 1) << "separator at the edge, item " << i;
            continue;
        }
        EXPECT_EQ(info.hSubMenu, nullptr) << "item " << i;
        EXPECT_TRUE(info.wID >= 32771 && info.wID <= 32776) << "unexpected command " << info.wID;
        ++seen[info.wID];
        EXPECT_STRNE(text, "") << "command " << info.wID;
        char key = MnemonicOf(text);
        EXPECT_NE(key, 0) << text;
        EXPECT_TRUE(mnemonics.insert(key).second)
            << "mnemonic '" << key << "' used twice (" << text << ")";
        EXPECT_FALSE(info.fState & (MFS_GRAYED | MFS_CHECKED))
            << "the applet sets these by task state: " << text;
    }
    for (UINT id = 32771; id <= 32776; ++id)
        EXPECT_EQ(seen[id], 1) << "command " << id;
    // A double click on the tray icon does what the first command does: show
    // that one in bold.
    EXPECT_EQ(GetMenuDefaultItem(tray, FALSE, 0), 32771u);
    DestroyMenu(menu);
}

TEST(TolvarcMenu, DialogCommandsEndWithAnEllipsis) {
    HMENU menu = LoadMenuA(Library(), MAKEINTRESOURCEA(103));
    ASSERT_NE(menu, nullptr);
    HMENU tray = GetSubMenu(menu, 0);
    auto text = [&](UINT id) {
        char buffer[256] = "";
        GetMenuStringA(tray, id, buffer, sizeof buffer, MF_BYCOMMAND);
        return std::string(buffer);
    };
    for (UINT id : {32775u, 32776u}) {
        std::string t = text(id);
        EXPECT_TRUE(t.size() > 3 && t.compare(t.size() - 3, 3, "...") == 0) << id << ": " << t;
    }
    for (UINT id : {32771u, 32772u, 32773u, 32774u}) {
        std::string t = text(id);
        EXPECT_FALSE(t.size() > 3 && t.compare(t.size() - 3, 3, "...") == 0) << id << ": " << t;
    }
    // The message for a task already open points at the menu's close command.
    std::string close = WithoutMnemonic(text(32772));
    EXPECT_NE(LoadText(IDS_TASK_ALREADY_OPEN).find(close), std::string::npos)
        << LoadText(IDS_TASK_ALREADY_OPEN) << " / " << close;
    DestroyMenu(menu);
}

// ---------------------------------------------------------------------------
// Icons

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

}  // namespace

class TolvarcIcon : public ::testing::TestWithParam<int> {};

TEST_P(TolvarcIcon, HasSmallAndLargeImagesWithAlpha) {
    HMODULE module = Library();
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(GetParam()),
                                reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    auto dir = static_cast<const BYTE *>(LockResource(LoadResource(module, group)));
    WORD count;
    std::memcpy(&count, dir + 4, 2);
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, dir + 6 + i * sizeof entry, sizeof entry);
        int size = entry.width ? entry.width : 256;
        EXPECT_EQ(entry.bitCount, 32) << size << "x" << size;
        sizes.insert(size);
        // The image itself: a 32-bit DIB whose alpha has fully clear and fully
        // opaque pixels.
        HRSRC image =
            FindResourceA(module, MAKEINTRESOURCEA(entry.id), reinterpret_cast<LPCSTR>(RT_ICON));
        ASSERT_NE(image, nullptr);
        auto header =
            static_cast<const BITMAPINFOHEADER *>(LockResource(LoadResource(module, image)));
        ASSERT_EQ(header->biSize, sizeof(BITMAPINFOHEADER)) << "images are stored as DIBs";
        EXPECT_EQ(header->biBitCount, 32);
        EXPECT_EQ(header->biWidth, size);
        auto pixels = reinterpret_cast<const BYTE *>(header + 1);
        int clear = 0, opaque = 0;
        for (int p = 0; p < size * size; ++p) {
            BYTE alpha = pixels[p * 4 + 3];
            clear += alpha == 0;
            opaque += alpha == 255;
        }
        EXPECT_GT(clear, 0) << size << "x" << size << ": no transparent pixel";
        EXPECT_GT(opaque, size * size / 3) << size << "x" << size << ": hardly anything drawn";
    }
    EXPECT_TRUE(sizes.count(16)) << "no 16x16 image";
    EXPECT_TRUE(sizes.count(32)) << "no 32x32 image";
}

TEST_P(TolvarcIcon, LoadsAndDrawsTransparently) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(std::to_string(size));
        HICON icon = static_cast<HICON>(LoadImageA(Library(), MAKEINTRESOURCEA(GetParam()),
                                                   IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm;
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        // Draw on white: the corners stay white, the middle is drawn.
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = size;
        bi.bmiHeader.biHeight = -size;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void *bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, dib);
        std::memset(bits, 0xFF, size * size * 4);
        ASSERT_TRUE(DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        GdiFlush();
        auto px = static_cast<const DWORD *>(bits);
        // The camera stands below a clear top row: white shows through there.
        for (int x = 0; x < size; ++x)
            EXPECT_EQ(px[x] & 0xFFFFFF, 0xFFFFFFu) << "top row, x " << x;
        int drawn = 0;
        for (int p = 0; p < size * size; ++p)
            drawn += (px[p] & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_GT(drawn, size * size / 3);
        SelectObject(dc, old);
        DeleteObject(dib);
        DeleteDC(dc);
        DestroyIcon(icon);
    }
}

INSTANTIATE_TEST_SUITE_P(ClassAndTray, TolvarcIcon, ::testing::Values(128, 147));

// ---------------------------------------------------------------------------
// Dialogs

namespace {

struct ExpectedControl {
    int id;
    const char *cls;
    DWORD buttonType;  // for buttons: BS_...; ignored otherwise
};

const std::map<int, std::vector<ExpectedControl>> kControls = {
    {100, {{1006, "Static", 0}, {IDOK, "Button", BS_DEFPUSHBUTTON}}},
    {102, {}},
    {148, {}},
    {149,
     {{1012, "Button", BS_AUTOCHECKBOX},
      {1013, "Button", BS_AUTORADIOBUTTON},
      {1014, "Button", BS_AUTORADIOBUTTON},
      {1018, "Button", BS_AUTORADIOBUTTON},
      {1019, "Button", BS_AUTORADIOBUTTON},
      {1020, "Button", BS_AUTOCHECKBOX},
      {IDOK, "Button", BS_DEFPUSHBUTTON},
      {IDCANCEL, "Button", BS_PUSHBUTTON}}},
    {297,
     {{1016, "Edit", 0},
      {1018, "Button", BS_PUSHBUTTON},
      {1689, "Static", 0},
      {IDOK, "Button", BS_DEFPUSHBUTTON},
      {IDCANCEL, "Button", BS_PUSHBUTTON}}},
};

}  // namespace

class TolvarcDialog : public ::testing::TestWithParam<int> {};

TEST_P(TolvarcDialog, CreatesWithEveryControlTheAppletUses) {
    HWND dlg = CreateDialogFromLibrary(GetParam());
    ASSERT_NE(dlg, nullptr) << "CreateDialogParamA failed, error " << GetLastError();
    WindowGuard guard{dlg};
    for (const ExpectedControl &want : kControls.at(GetParam())) {
        SCOPED_TRACE("control " + std::to_string(want.id));
        HWND item = GetDlgItem(dlg, want.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(lstrcmpiA(ClassOf(item).c_str(), want.cls), 0) << ClassOf(item);
        LONG style = GetWindowLongA(item, GWL_STYLE);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_FALSE(style & WS_DISABLED) << "the applet enables controls itself";
        if (std::string(want.cls) == "Button") {
            EXPECT_EQ(static_cast<DWORD>(style & BS_TYPEMASK), want.buttonType);
            if (want.buttonType != BS_AUTORADIOBUTTON) {
                EXPECT_TRUE(style & WS_TABSTOP);
            }
        }
    }
    // Every identifier appears only once.
    std::map<int, int> ids;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++ids[GetDlgCtrlID(child)];
    for (const auto &id : ids)
        if (id.first != -1 && id.first != 0xFFFF) {
            EXPECT_EQ(id.second, 1) << "control id " << id.first;
        }
}

TEST_P(TolvarcDialog, TemplateUsesTheShellFont) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(GetParam(), &t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style & DS_SHELLFONT, static_cast<DWORD>(DS_SHELLFONT));
    EXPECT_EQ(t.typeface, "MS Shell Dlg");
    EXPECT_EQ(t.pointSize, 8);
}

INSTANTIATE_TEST_SUITE_P(All, TolvarcDialog, ::testing::Values(100, 102, 148, 149, 297));

// The dialogs the user sees: layout rules checked on the template in dialog
// units, text fitting checked on the created dialog with its real font.
class TolvarcVisibleDialog : public ::testing::TestWithParam<int> {};

TEST_P(TolvarcVisibleDialog, KeepsMarginsAndStandardSizes) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(GetParam(), &t));
    EXPECT_FALSE(t.style & WS_VISIBLE) << "the applet shows its dialogs itself";
    EXPECT_TRUE(t.style & WS_CAPTION);
    for (const TemplateItem &item : t.items) {
        SCOPED_TRACE("control " + std::to_string(item.id) + " \"" + item.text + "\"");
        EXPECT_GE(item.x, 7);
        EXPECT_GE(item.y, 7);
        EXPECT_LE(item.x + item.cx, t.cx - 7);
        EXPECT_LE(item.y + item.cy, t.cy - 7);
        if (item.IsPushButton()) {
            EXPECT_EQ(item.cx, 50);
            EXPECT_EQ(item.cy, 14);
        }
        if (item.IsButtonType(BS_AUTORADIOBUTTON) || item.IsButtonType(BS_AUTOCHECKBOX)) {
            EXPECT_EQ(item.cy, 10);
        }
        if (item.cls == "Edit") {
            EXPECT_EQ(item.cy, 14);
        }
        if (item.cls == "Static" && (item.style & SS_TYPEMASK) != SS_ICON) {
            EXPECT_EQ(item.cy % 8, 0);
        }
    }
}

TEST_P(TolvarcVisibleDialog, DialogsWithoutOwnerComeToTheFront) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(GetParam(), &t));
    // The notice is placed and raised by the applet itself; the others open
    // without a parent, also on a card arrival while another program is active.
    if (GetParam() == 148) {
        EXPECT_FALSE(t.style & DS_SETFOREGROUND) << "the notice must not take the focus";
        return;
    }
    EXPECT_TRUE(t.style & DS_SETFOREGROUND);
    EXPECT_TRUE(t.style & DS_CENTER);
    EXPECT_TRUE(t.style & WS_SYSMENU) << "a close box, like Cancel";
}

TEST_P(TolvarcVisibleDialog, ControlsDoNotOverlapExceptInsideGroupBoxes) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(GetParam(), &t));
    auto overlaps = [](const TemplateItem &a, const TemplateItem &b) {
        return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
    };
    for (size_t i = 0; i < t.items.size(); ++i) {
        for (size_t j = i + 1; j < t.items.size(); ++j) {
            const TemplateItem &a = t.items[i], &b = t.items[j];
            if (!overlaps(a, b))
                continue;
            const TemplateItem *box = a.IsGroupBox() ? &a : b.IsGroupBox() ? &b : nullptr;
            const TemplateItem *inner = box == &a ? &b : &a;
            ASSERT_NE(box, nullptr) << "controls " << a.id << " \"" << a.text << "\" and " << b.id
                                    << " \"" << b.text << "\" overlap";
            ASSERT_FALSE(inner->IsGroupBox()) << "group boxes overlap";
            // Fully inside, 7 DLU in from the sides, below the box's label.
            EXPECT_GE(inner->x, box->x + 7) << inner->id;
            EXPECT_LE(inner->x + inner->cx, box->x + box->cx - 7) << inner->id;
            EXPECT_GE(inner->y, box->y + 11) << inner->id;
            EXPECT_LE(inner->y + inner->cy, box->y + box->cy - 4) << inner->id;
        }
    }
}

TEST_P(TolvarcVisibleDialog, ButtonRowIsRightAlignedAndEvenlySpaced) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(GetParam(), &t));
    // The dialog's closing buttons: OK and Cancel where present.
    std::vector<const TemplateItem *> row;
    for (const TemplateItem &item : t.items)
        if (item.id == IDOK || item.id == IDCANCEL)
            row.push_back(&item);
    if (row.empty())
        return;  // the connection notice has no buttons
    std::sort(row.begin(), row.end(), [](auto a, auto b) { return a->x < b->x; });
    EXPECT_EQ(row.back()->x + row.back()->cx, t.cx - 7);
    EXPECT_EQ(row.back()->y + row.back()->cy, t.cy - 7);
    for (size_t i = 1; i < row.size(); ++i) {
        EXPECT_EQ(row[i]->y, row[0]->y);
        EXPECT_EQ(row[i]->x, row[i - 1]->x + row[i - 1]->cx + 4);
    }
    if (row.size() == 2) {
        EXPECT_EQ(row[0]->id, IDOK) << "OK stands left of Cancel";
    }
}

namespace {

// Text width and height that `text` needs in `hwnd` with its own font.
SIZE NeededFor(HWND hwnd, const std::string &text, UINT format, int width) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Checks that `text` fits the control `item` without being cut.
void ExpectTextFits(HWND item, const std::string &text) {
    RECT client;
    GetClientRect(item, &client);
    std::string cls = ClassOf(item);
    LONG style = GetWindowLongA(item, GWL_STYLE);
    SCOPED_TRACE("control " + std::to_string(GetDlgCtrlID(item)) + " \"" + text + "\"");
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
        DWORD type = style & SS_TYPEMASK;
        if (type == SS_ICON || (style & SS_PATHELLIPSIS) == SS_PATHELLIPSIS)
            return;
        UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
            SIZE need = NeededFor(item, text, format | DT_WORDBREAK, client.right);
            EXPECT_LE(need.cy, client.bottom) << "wraps to more lines than the control shows";
        } else {
            SIZE need = NeededFor(item, text, format | DT_SINGLELINE, 0);
            EXPECT_LE(need.cx, client.right);
        }
    } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
        DWORD type = style & BS_TYPEMASK;
        SIZE need = NeededFor(item, text, DT_SINGLELINE, 0);
        int room = client.right;
        if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX ||
            type == BS_CHECKBOX)
            room -= GetSystemMetrics(SM_CXMENUCHECK) + 6;  // the box and the gap after it
        else if (type == BS_GROUPBOX)
            room -= 16;
        else
            room -= 8;  // push button edges
        EXPECT_LE(need.cx, room);
        EXPECT_LE(need.cy, client.bottom);
    }
}

}  // namespace

TEST_P(TolvarcVisibleDialog, TextsFitTheirControls) {
    HWND dlg = CreateDialogFromLibrary(GetParam());
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    int checked = 0;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string text = TextOf(child);
        if (text.empty())
            continue;
        ExpectTextFits(child, text);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST_P(TolvarcVisibleDialog, MnemonicsAreUnique) {
    HWND dlg = CreateDialogFromLibrary(GetParam());
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    std::map<char, std::string> keys;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX &&
            lstrcmpiA(ClassOf(child).c_str(), "Static") == 0)
            continue;
        std::string text = TextOf(child);
        char key = MnemonicOf(text);
        if (!key)
            continue;
        EXPECT_TRUE(keys.emplace(key, text).second)
            << "'" << key << "' in \"" << text << "\" and \"" << keys[key] << "\"";
    }
}

TEST_P(TolvarcVisibleDialog, TabOrderFollowsReadingOrder) {
    HWND dlg = CreateDialogFromLibrary(GetParam());
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    POINT last = {-1, -1};
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        bool interactive =
            (style & WS_TABSTOP) || (lstrcmpiA(ClassOf(child).c_str(), "Button") == 0 &&
                                     (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON);
        if (!interactive)
            continue;
        RECT r;
        GetWindowRect(child, &r);
        bool after = r.top > last.y || (r.top == last.y && r.left > last.x);
        EXPECT_TRUE(after) << "control " << GetDlgCtrlID(child) << " \"" << TextOf(child)
                           << "\" comes before the control above or left of it";
        last = {r.left, r.top};
    }
}

INSTANTIATE_TEST_SUITE_P(Shown, TolvarcVisibleDialog, ::testing::Values(100, 148, 149, 297));

// ---------------------------------------------------------------------------
// Hidden main dialog 102

TEST(TolvarcMainDialog, IsCreatedOutOfSight) {
    HWND dlg = CreateDialogFromLibrary(102);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    LONG style = GetWindowLongA(dlg, GWL_STYLE);
    LONG ex = GetWindowLongA(dlg, GWL_EXSTYLE);
    EXPECT_FALSE(IsWindowVisible(dlg));
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU))
        << style;
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "keeps it off the taskbar and the task switcher";
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(dlg, GW_CHILD), nullptr) << "nothing to see, nothing to focus";
    EXPECT_TRUE(IsOutOfSight(dlg)) << Describe(dlg);
}

TEST(TolvarcMainDialog, StaysOutOfSightWhenShown) {
    HWND dlg = CreateDialogFromLibrary(102);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    for (int cmd : {SW_SHOWNORMAL, SW_SHOW, SW_RESTORE, SW_SHOWNOACTIVATE}) {
        ShowWindow(dlg, cmd);
        PumpMessages();
        EXPECT_TRUE(IsOutOfSight(dlg)) << "ShowWindow " << cmd << ": " << Describe(dlg);
    }
    SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpMessages();
    EXPECT_TRUE(IsOutOfSight(dlg)) << Describe(dlg);
}

namespace {

struct ModalProbe {
    bool initialised = false;
    bool timedOut = false;
    bool wasVisible = false;
    bool outOfSight = false;
    std::string where;
};

INT_PTR CALLBACK ModalProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto probe = reinterpret_cast<ModalProbe *>(GetWindowLongPtrA(hwnd, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        reinterpret_cast<ModalProbe *>(lp)->initialised = true;
        SetTimer(hwnd, 1, 300, nullptr);    // the modal loop has shown it by then
        SetTimer(hwnd, 2, 10000, nullptr);  // safety net
        return TRUE;
    case WM_TIMER:
        if (wp == 1) {
            probe->wasVisible = IsWindowVisible(hwnd) != FALSE;
            probe->outOfSight = IsOutOfSight(hwnd);
            probe->where = Describe(hwnd);
        } else {
            probe->timedOut = true;
        }
        KillTimer(hwnd, 1);
        KillTimer(hwnd, 2);
        EndDialog(hwnd, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TEST(TolvarcMainDialog, RunsModallyOutOfSight) {
    // The applet runs this dialog modally for its whole life; the modal loop
    // shows it.
    ModalProbe probe;
    INT_PTR result = DialogBoxParamA(Library(), MAKEINTRESOURCEA(102), nullptr, ModalProbeProc,
                                     reinterpret_cast<LPARAM>(&probe));
    ASSERT_EQ(result, IDOK);
    ASSERT_TRUE(probe.initialised);
    EXPECT_FALSE(probe.timedOut);
    EXPECT_TRUE(probe.outOfSight) << probe.where;
}

// ---------------------------------------------------------------------------
// The other dialogs in detail

TEST(TolvarcNoticeDialog, FitsTheLowerRightCornerAndHasNoButtons) {
    HWND dlg = CreateDialogFromLibrary(148);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    EXPECT_FALSE(IsWindowVisible(dlg)) << "ConnectHost shows it once placed";
    EXPECT_EQ(GetDlgItem(dlg, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(dlg, IDCANCEL), nullptr);
    EXPECT_FALSE(GetWindowLongA(dlg, GWL_STYLE) & WS_SYSMENU)
        << "no close box: it goes away by itself";
    RECT r;
    GetWindowRect(dlg, &r);
    EXPECT_LT(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_LT(r.bottom - r.top + 40, GetSystemMetrics(SM_CYSCREEN) / 4);
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_TRUE(GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "not a task of its own";
}

TEST(TolvarcAboutDialog, ShowsTheTitleAndFormatsTheCaption) {
    HWND dlg = CreateDialogFromLibrary(100);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    std::string title = LoadText(IDS_APP_TITLE);
    HWND name = GetDlgItem(dlg, 1006);
    ASSERT_NE(name, nullptr);
    // What the applet does at initialisation; both must fit.
    SetWindowTextA(name, title.c_str());
    ExpectTextFits(name, title);
    std::string caption = FormatOne(LoadText(IDS_ABOUT_CAPTION), title);
    SetWindowTextA(dlg, caption.c_str());
    EXPECT_EQ(TextOf(dlg), caption);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
}

TEST(TolvarcOptionsDialog, RadioPairsAreSeparateGroups) {
    HWND dlg = CreateDialogFromLibrary(149);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    auto style = [&](int id) { return GetWindowLongA(GetDlgItem(dlg, id), GWL_STYLE); };
    // The data exchange takes the radios from a group's first button up to the
    // next control that starts a group.
    EXPECT_TRUE(style(1013) & WS_GROUP);
    EXPECT_FALSE(style(1014) & WS_GROUP);
    EXPECT_TRUE(style(1018) & WS_GROUP);
    EXPECT_FALSE(style(1019) & WS_GROUP);
    EXPECT_EQ(GetWindow(GetDlgItem(dlg, 1013), GW_HWNDNEXT), GetDlgItem(dlg, 1014));
    EXPECT_EQ(GetWindow(GetDlgItem(dlg, 1018), GW_HWNDNEXT), GetDlgItem(dlg, 1019));
    HWND after1014 = GetWindow(GetDlgItem(dlg, 1014), GW_HWNDNEXT);
    HWND after1019 = GetWindow(GetDlgItem(dlg, 1019), GW_HWNDNEXT);
    ASSERT_NE(after1014, nullptr);
    ASSERT_NE(after1019, nullptr);
    EXPECT_TRUE(GetWindowLongA(after1014, GWL_STYLE) & WS_GROUP);
    EXPECT_TRUE(GetWindowLongA(after1019, GWL_STYLE) & WS_GROUP);

    // Clicking shows it: a choice in one pair leaves the other pair alone.
    auto checked = [&](int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; };
    SendDlgItemMessageA(dlg, 1014, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dlg, 1018, BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(1014));
    EXPECT_TRUE(checked(1018));
    SendDlgItemMessageA(dlg, 1013, BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(1013));
    EXPECT_FALSE(checked(1014));
    EXPECT_TRUE(checked(1018));
    SendDlgItemMessageA(dlg, 1019, BM_CLICK, 0, 0);
    EXPECT_FALSE(checked(1018));
    EXPECT_TRUE(checked(1019));
    EXPECT_TRUE(checked(1013));
    // Check boxes are independent of both.
    SendDlgItemMessageA(dlg, 1012, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dlg, 1020, BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(1012));
    EXPECT_TRUE(checked(1020));
    EXPECT_TRUE(checked(1013));
    EXPECT_TRUE(checked(1019));
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
}

TEST(TolvarcOptionsDialog, DownloadTextsOfEveryConnectionKindFit) {
    HWND dlg = CreateDialogFromLibrary(149);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    struct Pair {
        std::string manual, automatic;
    };
    const Pair pairs[] = {
        {LoadText(IDS_OPTIONS_ANY_MANUAL), LoadText(IDS_OPTIONS_ANY_AUTO)},
        {LoadText(IDS_OPTIONS_CARD_MANUAL), LoadText(IDS_OPTIONS_CARD_AUTO)},
        {LoadText(IDS_OPTIONS_CABLE_MANUAL), LoadText(IDS_OPTIONS_CABLE_AUTO)},
        {LoadText(IDS_OPTIONS_TWAIN_MANUAL), LoadText(IDS_OPTIONS_TWAIN_AUTO)},
        {FormatOne(LoadText(IDS_OPTIONS_TWAIN_NAMED), kSampleTwainSource),
         LoadText(IDS_OPTIONS_TWAIN_AUTO)},
    };
    // Mnemonics of the rest of the dialog.
    std::map<char, std::string> others;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if (id == 1013 || id == 1014)
            continue;
        if (char key = MnemonicOf(TextOf(child)))
            others[key] = TextOf(child);
    }
    for (const Pair &pair : pairs) {
        SetDlgItemTextA(dlg, 1013, pair.manual.c_str());
        SetDlgItemTextA(dlg, 1014, pair.automatic.c_str());
        ExpectTextFits(GetDlgItem(dlg, 1013), pair.manual);
        ExpectTextFits(GetDlgItem(dlg, 1014), pair.automatic);
        char a = MnemonicOf(pair.manual), b = MnemonicOf(pair.automatic);
        EXPECT_NE(a, b) << pair.manual << " / " << pair.automatic;
        for (char key : {a, b})
            if (key) {
                EXPECT_EQ(others.count(key), 0u)
                    << "'" << key << "' also in \"" << others[key] << "\"";
            }
    }
    // The template shows the texts of the first kind.
    EXPECT_EQ(TextOf(GetDlgItem(dlg, 1013)), pairs[4].manual);  // last one set
}

TEST(TolvarcOptionsDialog, TemplateShowsTheTextsOfKindZero) {
    HWND dlg = CreateDialogFromLibrary(149);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    EXPECT_EQ(TextOf(GetDlgItem(dlg, 1013)), LoadText(IDS_OPTIONS_ANY_MANUAL));
    EXPECT_EQ(TextOf(GetDlgItem(dlg, 1014)), LoadText(IDS_OPTIONS_ANY_AUTO));
}

TEST(TolvarcAlbumDialog, NameBoxTakesAlbumNamesAndLocationEllipsizesPaths) {
    HWND dlg = CreateDialogFromLibrary(297);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    HWND name = GetDlgItem(dlg, 1016);
    LONG style = GetWindowLongA(name, GWL_STYLE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "full paths are longer than the box";
    EXPECT_FALSE(style & (ES_READONLY | ES_NUMBER | ES_PASSWORD | ES_MULTILINE));
    EXPECT_TRUE(style & WS_TABSTOP);
    // A long path typed or proposed fits in the box.
    const std::string longPath =
        "D:\\Pictures\\Holidays in the mountains\\Second week\\December 06, 2026";
    SetWindowTextA(name, longPath.c_str());
    EXPECT_EQ(TextOf(name), longPath);
    // The location line shows "%1" with a folder of any length: it ends in an
    // ellipsis rather than being cut, and an "&" in a folder name stays a "&".
    HWND location = GetDlgItem(dlg, 1689);
    LONG ls = GetWindowLongA(location, GWL_STYLE);
    EXPECT_EQ(ls & SS_PATHELLIPSIS, SS_PATHELLIPSIS);
    EXPECT_TRUE(ls & SS_NOPREFIX);
    // The label before the name box gives the box its mnemonic.
    HWND label = GetWindow(name, GW_HWNDPREV);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(lstrcmpiA(ClassOf(label).c_str(), "Static"), 0);
    EXPECT_NE(MnemonicOf(TextOf(label)), 0) << TextOf(label);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
}

TEST(TolvarcAlbumDialog, PickerTextsFitTheirPlaces) {
    // The picker's OK texts go on a standard button; its label is widened by
    // only 8 pixels over the file dialog's "File name:".
    HWND dlg = CreateDialogFromLibrary(297);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    HWND ok = GetDlgItem(dlg, IDOK);
    for (UINT id : {280u, 283u})
        ExpectTextFits(ok, LoadText(id));
    HWND label = GetWindow(GetDlgItem(dlg, 1016), GW_HWNDPREV);
    SIZE fileName = NeededFor(label, "File &name:", DT_SINGLELINE, 0);
    SIZE ours = NeededFor(label, LoadText(IDS_PICKER_LABEL), DT_SINGLELINE, 0);
    EXPECT_LE(ours.cx, fileName.cx + 8) << LoadText(IDS_PICKER_LABEL);
    EXPECT_NE(MnemonicOf(LoadText(IDS_PICKER_LABEL)), 0);
}

// The layout checks above mean something only with Windows font metrics: the
// dialog font must come out as Tahoma, at the resolution the test prefix was
// made for (wine-run says which).
TEST(TestPrefix, DialogFontIsTahomaAtThePrefixResolution) {
    const char *dpiText = std::getenv("SUITE_WINE_DPI");
    ASSERT_NE(dpiText, nullptr) << "run through the build's wine-run, which names the prefix's DPI";
    HWND dlg = CreateDialogFromLibrary(IDD_OPTIONS);
    ASSERT_NE(dlg, nullptr);
    WindowGuard guard{dlg};
    HDC dc = GetDC(dlg);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), std::atoi(dpiText));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0)));
    std::vector<char> metrics(GetOutlineTextMetricsA(dc, 0, nullptr));
    ASSERT_FALSE(metrics.empty()) << "the dialog font is not an outline font";
    auto *otm = reinterpret_cast<OUTLINETEXTMETRICA *>(metrics.data());
    ASSERT_EQ(GetOutlineTextMetricsA(dc, static_cast<UINT>(metrics.size()), otm), metrics.size());
    const std::string family = metrics.data() + reinterpret_cast<UINT_PTR>(otm->otmpFamilyName);
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
    EXPECT_EQ(family, "Tahoma");
}
