// The download album dialog and the folder picker, shown for real with the
// resource library's templates and texts, on a scratch folder of drive Q:
// and a private registry: the album name and location, what OK stores, the
// picker's result rule (selected subfolder, typed path), Browse creating the
// chosen folder or refusing with message 202.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <optional>
#include <string>

#include "album_dialog.h"
#include "applet_test_app.h"
#include "file_queries.h"
#include "folder_dialog.h"
#include "framework/app.h"
#include "framework/res_string.h"
#include "path_text.h"
#include "prerequisite.h"
#include "registry_sandbox.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "tolvarc_ids.h"
#include "ui_script.h"
#include "wine_drive.h"

using namespace applet;
using namespace vesko_test;

namespace {

const char kAbsent[] = "(absent)";

std::string StoredAlbum() {
    return settings::ReadRegString("Sdk", "DownloadAlbum", kAbsent);
}

std::string Shot(HWND window, const std::string &name) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    const std::string path = testsupport::ScreenshotFolder("screenshots") + "\\" + name + ".png";
    return testsupport::ShootScreen(rect, path) > 2 ? path : std::string();
}

std::string AlbumCaption() {
    // The template's caption, as the window shows it.
    return "Download Album";
}

class AlbumDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_NE(testsupport::AppletResources(), nullptr);
    }
    testsupport::RegistrySandbox sandbox_;
};

class PickerTest : public AlbumDialogTest {
protected:
    void SetUp() override {
        AlbumDialogTest::SetUp();
        REQUIRE_PREREQUISITE(dir_.Ready(), "drive Q: from Wine's mount manager");
        ASSERT_TRUE(testsupport::MakeFolders(dir_ / "Sub"));
        ASSERT_TRUE(testsupport::MakeFile(dir_ / "photo.jpg"));
    }
    testsupport::ScratchOnDrive dir_;
};

HWND FolderListOf(HWND dialog) {
    HWND container = ::GetDlgItem(dialog, lst2);
    HWND list = container ? ::GetDlgItem(container, 1) : nullptr;
    return list ? list : ::FindWindowExA(container, nullptr, WC_LISTVIEWA, nullptr);
}

// Selects the entry `name` of the picker's folder list; false while the list
// does not show it yet.
bool SelectEntry(HWND dialog, const std::string &name) {
    HWND list = FolderListOf(dialog);
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    const int item =
        list ? static_cast<int>(::SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(&find)))
             : -1;
    if (item < 0)
        return false;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&state));
    return true;
}

// What the picker shows once it is up.
struct PickerLook {
    std::string okText;
    std::string label;
    std::string box;
    bool typesHidden = false;
    bool typesLabelHidden = false;
    std::string shot;
};

PickerLook LookAt(HWND dialog, const std::string &shotName) {
    PickerLook look;
    look.okText = TextOf(::GetDlgItem(dialog, IDOK));
    look.label = TextOf(::GetDlgItem(dialog, stc3));
    look.box = TextOf(CFolderDialog::FileNameBox(dialog));
    look.typesHidden = !::IsWindowVisible(::GetDlgItem(dialog, cmb1));
    look.typesLabelHidden = !::IsWindowVisible(::GetDlgItem(dialog, stc2));
    look.shot = Shot(dialog, shotName);
    return look;
}

}  // namespace

TEST_F(AlbumDialogTest, OkStoresTheNameOrTheTypedPath) {
    struct Case {
        const char *name;
        const char *typed;  // nullptr: left as proposed
        int button;
        const char *stored;
        const char *path;
    };
    const std::string proposed = "D:\\Pictures\\December 06, 2026";
    for (const Case &c : {
             Case{"unchanged", nullptr, IDOK, "December 06, 2026",
                  "D:\\Pictures\\December 06, 2026"},
             Case{"full path", "E:\\Trips\\Rome", IDOK, "E:\\Trips\\Rome", "E:\\Trips\\Rome"},
             Case{"other name", "Rome", IDOK, "Rome", "D:\\Pictures\\Rome"},
             Case{"cancelled", "Rome", IDCANCEL, kAbsent, "D:\\Pictures\\Rome"},
         }) {
        SCOPED_TRACE(c.name);
        settings::WriteRegString("Sdk", "DownloadAlbum", std::nullopt);
        CAlbumDialog album(proposed, nullptr);
        EXPECT_EQ(album.Folder(), "D:\\Pictures");
        EXPECT_EQ(album.Name(), "December 06, 2026");
        EXPECT_EQ(album.Location(), fw::FormatResString(IDS_ALBUM_LOCATION, "D:\\Pictures"));
        std::string shownName, shownLocation, shot;
        DWORD selStart = 1, selEnd = 0;
        bool nameHasFocus = false;
        UiScript script({{AlbumCaption(), [&](HWND dialog) {
                              HWND box = ::GetDlgItem(dialog, IDC_ALBUM_NAME);
                              shownName = TextOf(box);
                              shownLocation = TextOf(::GetDlgItem(dialog, IDC_ALBUM_LOCATION));
                              ::SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                                             reinterpret_cast<LPARAM>(&selEnd));
                              nameHasFocus = ::GetFocus() == box;
                              if (!c.typed)
                                  shot = Shot(dialog, "album_dialog");
                              else
                                  ::SetWindowTextA(box, c.typed);
                              Click(dialog, c.button);
                              return true;
                          }}});
        EXPECT_EQ(album.DoModal(), c.button);
        EXPECT_EQ(script.Done(), 1u);
        EXPECT_EQ(shownName, "December 06, 2026");
        EXPECT_EQ(shownLocation, album.Location());
        EXPECT_EQ(selStart, 0u);
        EXPECT_EQ(selEnd, shownName.size()) << "the whole name is selected";
        EXPECT_TRUE(nameHasFocus);
        if (!c.typed) {
            EXPECT_FALSE(shot.empty());
        }
        EXPECT_EQ(StoredAlbum(), c.stored);
        if (c.button == IDOK) {
            EXPECT_EQ(album.GetPath(), c.path);
        }
    }
}

TEST_F(AlbumDialogTest, DownloadFolderIsInstallDownloadOrEmpty) {
    EXPECT_EQ(GetDownloadFolder(), "");
    settings::WriteRegString("Install", "Download", std::string("C:\\Albums"));
    EXPECT_EQ(GetDownloadFolder(), "C:\\Albums");
}

TEST_F(PickerTest, SelectedSubfolderIsChosenOverTheShownFolder) {
    CFolderDialog picker(dir_.Path(), nullptr);
    PickerLook look;
    std::string boxAfterSelection;
    UiScript script({
        {fw::LoadResString(IDS_PICKER_TITLE), [&](HWND) { return true; }},  // it came up
        {fw::LoadResString(IDS_PICKER_TITLE),
         [&](HWND dialog) {
             look = LookAt(dialog, "folder_picker");
             return SelectEntry(dialog, "Sub");
         }},
        {fw::LoadResString(IDS_PICKER_TITLE),
         [&](HWND dialog) {
             boxAfterSelection = TextOf(CFolderDialog::FileNameBox(dialog));
             Click(dialog, IDOK);
             return true;
         }},
    });
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(script.Done(), 3u);
    EXPECT_EQ(look.okText, fw::LoadResString(IDS_PICKER_OK));
    EXPECT_EQ(look.label, fw::LoadResString(IDS_PICKER_LABEL));
    EXPECT_TRUE(look.typesHidden && look.typesLabelHidden);
    EXPECT_TRUE(EqualsIgnoringCase(look.box, dir_.Path())) << look.box;
    EXPECT_FALSE(look.shot.empty());
    EXPECT_TRUE(EqualsIgnoringCase(boxAfterSelection, dir_ / "Sub")) << boxAfterSelection;
    EXPECT_TRUE(EqualsIgnoringCase(picker.path, dir_ / "Sub")) << picker.path;
}

TEST_F(PickerTest, TypedPathIsTakenAsItStandsAndCancelKeepsNothing) {
    for (int button : {IDOK, IDCANCEL}) {
        const std::string typed = dir_ / "not\\there yet";
        CFolderDialog picker(dir_.Path(), nullptr);
        UiScript script({{fw::LoadResString(IDS_PICKER_TITLE), [&](HWND dialog) {
                              ::SetWindowTextA(CFolderDialog::FileNameBox(dialog), typed.c_str());
                              Click(dialog, button);
                              return true;
                          }}});
        EXPECT_EQ(picker.DoModal(), button);
        if (button == IDOK) {
            EXPECT_EQ(picker.path, typed);
        }
    }
}

TEST_F(PickerTest, BrowseCreatesTheChosenFolderOrShows202) {
    struct Case {
        const char *name;
        std::string chosen;
        bool created;
    };
    for (const Case &c : {Case{"parent missing", dir_ / "missing\\Rome", false},
                          Case{"new folder", dir_ / "Rome", true}}) {
        SCOPED_TRACE(c.name);
        settings::WriteRegString("Sdk", "DownloadAlbum", std::nullopt);
        CAlbumDialog album(dir_ / "December 06, 2026", nullptr);
        std::string opened, message, location, name, shot;
        std::vector<UiScript::Step> steps = {
            {AlbumCaption(),
             [](HWND dialog) {
                 Click(dialog, IDC_ALBUM_BROWSE);
                 return true;
             }},
            {fw::LoadResString(IDS_ALBUM_PICKER_TITLE),
             [&](HWND dialog) {
                 HWND box = CFolderDialog::FileNameBox(dialog);
                 opened = TextOf(box);
                 if (c.created)
                     shot = Shot(dialog, "album_folder_picker");
                 ::SetWindowTextA(box, c.chosen.c_str());
                 Click(dialog, IDOK);
                 return true;
             }},
        };
        if (!c.created) {
            steps.push_back({fw::CApp::Current()->GetAppName(), [&](HWND box) {
                                 message = TextOf(::GetDlgItem(box, 0xFFFF));
                                 Click(box, IDOK);
                                 return true;
                             }});
        }
        steps.push_back({AlbumCaption(), [&](HWND dialog) {
                             location = TextOf(::GetDlgItem(dialog, IDC_ALBUM_LOCATION));
                             name = TextOf(::GetDlgItem(dialog, IDC_ALBUM_NAME));
                             Click(dialog, IDCANCEL);
                             return true;
                         }});
        UiScript script(steps);
        EXPECT_EQ(album.DoModal(), IDCANCEL);
        EXPECT_EQ(script.Done(), steps.size());
        // The album does not exist yet: the picker opens on its folder.
        EXPECT_TRUE(EqualsIgnoringCase(opened, dir_.Path())) << opened;
        EXPECT_EQ(IsFolder(c.chosen), c.created);
        if (c.created) {
            EXPECT_EQ(message, "");
            EXPECT_EQ(location, fw::FormatResString(IDS_ALBUM_LOCATION, dir_.Path()));
            EXPECT_EQ(name, "Rome");
            EXPECT_EQ(StoredAlbum(), "Rome") << "Browse stores, Cancel does not undo it";
            EXPECT_FALSE(shot.empty());
        } else {
            EXPECT_EQ(message, fw::FormatResString(IDS_ALBUM_CREATE_FAILED, c.chosen));
            EXPECT_EQ(location, fw::FormatResString(IDS_ALBUM_LOCATION, dir_.Path()));
            EXPECT_EQ(name, "December 06, 2026");
            EXPECT_EQ(StoredAlbum(), kAbsent);
        }
    }
}

// Browse opens the picker on the album when it exists, else on the nearest
// folder above it that does: the album may not be there yet, and neither may
// its folder (a path typed by hand, a folder removed since).
TEST_F(PickerTest, BrowseOpensOnTheNearestFolderThatExists) {
    struct Case {
        const char *name;
        std::string album;
        std::string opensOn;
    } cases[] = {
        {"album there", dir_ / "Sub", dir_ / "Sub"},
        {"album missing, its folder there", dir_ / "December 06, 2026", dir_.Path()},
        {"album and its folder missing", dir_ / "missing\\December 06, 2026", dir_.Path()},
        {"album and two folders above missing", dir_ / "missing\\deeper\\December 06, 2026",
         dir_.Path()},
        {"album missing in a missing folder below an album", dir_ / "Sub\\gone\\Rome",
         dir_ / "Sub"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        settings::WriteRegString("Sdk", "DownloadAlbum", std::nullopt);
        CAlbumDialog album(c.album, nullptr);
        std::string opened, location, name;
        UiScript script({
            {AlbumCaption(),
             [](HWND dialog) {
                 Click(dialog, IDC_ALBUM_BROWSE);
                 return true;
             }},
            {fw::LoadResString(IDS_ALBUM_PICKER_TITLE),
             [&](HWND dialog) {
                 opened = TextOf(CFolderDialog::FileNameBox(dialog));
                 Click(dialog, IDCANCEL);
                 return true;
             }},
            {AlbumCaption(),
             [&](HWND dialog) {
                 location = TextOf(::GetDlgItem(dialog, IDC_ALBUM_LOCATION));
                 name = TextOf(::GetDlgItem(dialog, IDC_ALBUM_NAME));
                 Click(dialog, IDCANCEL);
                 return true;
             }},
        });
        EXPECT_EQ(album.DoModal(), IDCANCEL);
        EXPECT_EQ(script.Done(), 3u);
        EXPECT_TRUE(EqualsIgnoringCase(opened, c.opensOn)) << opened;
        // A picker left with Cancel changes nothing, creates nothing.
        EXPECT_EQ(location, fw::FormatResString(IDS_ALBUM_LOCATION, GetFolderPart(c.album)));
        EXPECT_EQ(name, GetNamePart(c.album));
        EXPECT_EQ(StoredAlbum(), kAbsent);
        EXPECT_FALSE(IsFolder(dir_ / "missing"));
    }
}
