// The About dialog: the name in its control and in the caption, with the
// real resource library and with a caption text that lacks "%1".
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about_dialog.h"
#include "about_test_strings.h"
#include "applet_test_app.h"
#include "framework/app.h"
#include "framework/res_string.h"
#include "screen_shot.h"
#include "tolvarc_ids.h"

using namespace applet;

namespace vesko_test {
namespace {

namespace {

class CAboutProbe : public CAboutDialog {
public:
    explicit CAboutProbe(std::string shot) : shotName(std::move(shot)) {}
    std::string shotName, caption, name;

protected:
    bool OnInitDialog() override {
        const bool result = CAboutDialog::OnInitDialog();
        caption = GetWindowText();
        char text[256] = "";
        ::GetDlgItemTextA(hwnd_, IDC_ABOUT_NAME, text, sizeof text);
        name = text;
        ShowWindow(SW_SHOW);
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT rect;
        ::GetWindowRect(hwnd_, &rect);
        testsupport::ShootScreen(rect, testsupport::ScreenshotFolder("vesko-screenshots") +
                                           "\\about-" + shotName + ".png");
        EndDialog(IDOK);
        return result;
    }
};

// The application's resources come from `module` while this lives.
class ResourcesFrom {
public:
    explicit ResourcesFrom(HMODULE module) : saved_(fw::CApp::Current()->GetResourceModule()) {
        fw::CApp::Current()->SetResourceModule(module);
    }
    ~ResourcesFrom() { fw::CApp::Current()->SetResourceModule(saved_); }

private:
    HMODULE saved_;
};

struct AboutCase {
    const char *name;
    bool testLibrary;  // the test's own strings instead of Tolvarc.dll
};

class AboutDialogTest : public ::testing::TestWithParam<AboutCase> {};

TEST_P(AboutDialogTest, NameInControlAndCaption) {
    HMODULE library = GetParam().testLibrary ? ::LoadLibraryExA("about_test_resources.dll", nullptr,
                                                                LOAD_LIBRARY_AS_DATAFILE)
                                             : testsupport::AppletResources();
    ASSERT_NE(library, nullptr);
    ResourcesFrom resources(library);
    const std::string title = fw::LoadResString(IDS_APP_TITLE);
    const std::string pattern = fw::LoadResString(IDS_ABOUT_CAPTION);
    ASSERT_FALSE(title.empty());

    CAboutProbe dialog(GetParam().name);
    EXPECT_EQ(dialog.Name(), title);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, title);
    if (GetParam().testLibrary) {
        EXPECT_EQ(pattern, ABOUT_TEST_CAPTION);
        EXPECT_EQ(dialog.caption, ABOUT_TEST_CAPTION) << "a caption without %1 stays as it is";
    } else {
        ASSERT_NE(pattern.find("%1"), std::string::npos);
        EXPECT_EQ(dialog.caption, fw::SubstituteArg(pattern, title));
        EXPECT_NE(dialog.caption.find(title), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, AboutDialogTest,
                         ::testing::Values(AboutCase{"ResourceLibrary", false},
                                           AboutCase{"CaptionWithoutArgument", true}),
                         [](const ::testing::TestParamInfo<AboutCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace

}  // namespace
}  // namespace vesko_test
