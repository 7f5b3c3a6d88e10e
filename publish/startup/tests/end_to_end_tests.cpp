// Zephyne.exe with our real WEBPOST.DLL beside it publishes a folder to nginx
// with WebDAV on loopback (started for this run by with-servers), without
// the wizard, and shows the Save Completed dialog for the home page; the
// dialog is found from outside and closed with OK, as a script would.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

#include "fake_script.h"
#include "program_process.h"
#include "screen_shot.h"
#include "server_env.h"
#include "settings_store.h"
#include "wine_drive.h"
#include "zephyne_ids.h"

namespace zephyne_test {
namespace {

using testsupport::ProgramFolder;
using testsupport::ProgramProcess;
using testsupport::WindowText;

constexpr DWORD kWaitMs = 60000;

std::string ReadAll(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteFile(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return out.good();
}

TEST(ZephyneEndToEnd, PublishesAFolderToWebDavAndShowsSaveCompleted) {
    std::string davUrl, davRoot;
    if (!testsupport::ServerSetting("WEBPOST_TEST_DAV_URL", davUrl) ||
        !testsupport::ServerSetting("WEBPOST_TEST_DAV_ROOT", davRoot))
        return;
    testsupport::ScratchOnDrive scratch;
    ASSERT_TRUE(scratch.Ready());
    ASSERT_EQ(::FindWindowA("MirelleZephyneClass", nullptr), nullptr);

    // The program with the real library, and the pages to publish.
    ASSERT_TRUE(testsupport::MakeFolders(scratch / "program"));
    const std::string exe = scratch / "program\\Zephyne.exe";
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\Zephyne.exe").c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\WEBPOST.dll").c_str(),
                            (scratch / "program\\WEBPOST.DLL").c_str(), FALSE));
    const std::string pages = scratch / "pages";
    ASSERT_TRUE(testsupport::MakeFolders(pages + "\\images"));
    const std::string index = "<html><body><a href=\"images/one.htm\">one</a></body></html>";
    ASSERT_TRUE(WriteFile(pages + "\\index.htm", index));
    ASSERT_TRUE(WriteFile(pages + "\\images\\one.htm", "<html>one</html>"));

    const std::string site = "zephyne-" + std::to_string(::GetCurrentProcessId());
    const std::string url = davUrl + "/" + site;
    const std::string homePage = url + "/index.htm";

    // The host's part: the settings under the product key, then the start.
    testsupport::UseZephyneProductKey();
    const std::string productKey = "Software\\Orvo\\Orvo Lumetto";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, productKey.c_str());
    ASSERT_TRUE(settings::WriteRegString("Web\\Publish", "SiteName", std::string()));
    ASSERT_TRUE(settings::WriteRegString("Web\\Publish", "LocalDir", pages));
    ASSERT_TRUE(settings::WriteRegString("Web\\Publish", "URL", url));
    ASSERT_TRUE(settings::WriteRegDword("Web\\Publish", "ShowWizard", 0));
    ASSERT_TRUE(settings::WriteRegString("Web\\Publish", "HomePage", homePage));

    ProgramProcess zephyne(exe, "");
    ASSERT_TRUE(zephyne.Started());
    // The library's progress window comes and goes first.
    HWND dialog = nullptr;
    for (DWORD waited = 0; !dialog && waited < kWaitMs; waited += 50) {
        HWND shown = zephyne.WaitForMessageBox(0);
        if (shown && WindowText(shown) == "Save Completed")
            dialog = shown;
        else
            ::Sleep(50);
    }
    ASSERT_NE(dialog, nullptr) << "no Save Completed dialog came";
    EXPECT_EQ(WindowText(dialog), "Save Completed");
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SAVE_LINK)), homePage);

    // What the server now holds.
    EXPECT_EQ(ReadAll(davRoot + "\\" + site + "\\index.htm"), index);
    EXPECT_EQ(ReadAll(davRoot + "\\" + site + "\\images\\one.htm"), "<html>one</html>");

    ::Sleep(300);  // the dialog's first paint
    RECT r;
    ::GetWindowRect(dialog, &r);
    EXPECT_GT(testsupport::ShootScreen(r, testsupport::ScreenshotFolder("zephyne-screenshots") +
                                              "\\end-to-end-save-completed.png"),
              3u);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(zephyne.WaitForExit(kWaitMs));
    // Nothing of the run was written back.
    EXPECT_EQ(settings::ReadRegString("Web\\Publish", "SiteName", "?"), "");
    EXPECT_EQ(settings::ReadRegString("Web\\Publish", "URL", "?"), url);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, productKey.c_str());
}

}  // namespace
}  // namespace zephyne_test
