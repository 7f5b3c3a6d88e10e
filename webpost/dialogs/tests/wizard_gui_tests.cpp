// The wizard and the progress window, driven from a second thread under Xvfb
// while the test's main thread is inside WpPostA: every page in order with
// Back, Next and Finish, cancelling from the wizard and from the progress
// window, a new site given in the wizard stored (with its password, against
// the Basic-authentication server of with-servers), and a screenshot of every
// page and of the progress window; the source page's box that sends every
// file, changed or not.
#include <gtest/gtest.h>

#include <wpapi.h>
#include <wpapimsg.h>

#include <functional>
#include <thread>

#include "resource_ids.h"
#include "prerequisite.h"
#include "republish_checks.h"
#include "server_env.h"
#include "temp_tree.h"
#include "webpost_fixture.h"
#include "window_driver.h"

namespace webpost_test {
namespace {

using namespace testsupport;

constexpr DWORD kAllPages = 0x000F0000;
const char *const kWelcome = "Web Publishing Wizard";
const char *const kSource = "Web Publishing Wizard - Files to post";
const char *const kSite = "Web Publishing Wizard - Destination site";
const char *const kProvider = "Web Publishing Wizard - Provider";
const char *const kProgress = "Posting files";

BOOL CALLBACK CancelWindow(HWND hwnd, LPARAM thread) {
    if (::GetWindowThreadProcessId(hwnd, nullptr) == static_cast<DWORD>(thread))
        ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

class WizardGuiTest : public WebPostTest {
protected:
    // Runs the post on this thread and `script` on a driver thread. When the
    // script gives up, every window of this thread is cancelled, so that the
    // post always returns.
    PostAnswer RunDriven(const PostCall &call, std::function<bool(WindowDriver &)> script) {
        const DWORD uiThread = ::GetCurrentThreadId();
        bool scriptOk = false;
        std::thread driverThread([&] {
            WindowDriver driver(uiThread);
            scriptOk = script(driver);
            if (!scriptOk) {
                for (int i = 0; i < 50 && ::IsWindow(::GetForegroundWindow()); ++i) {
                    ::EnumWindows(CancelWindow, static_cast<LPARAM>(uiThread));
                    ::Sleep(100);
                }
            }
        });
        PostAnswer answer = library_.Run(call);
        driverThread.join();
        EXPECT_TRUE(scriptOk) << "the script did not find the windows it expected";
        return answer;
    }

    // The sample site in the source folder, to be posted into the target
    // folder with `flags`.
    PostCall SampleSiteToTarget(DWORD flags) {
        WriteTree(source_, "", SampleSite());
        PostCall call;
        call.paths = {source_.Path()};
        call.url = target_.Path();
        call.flags = flags;
        return call;
    }

    // Posts the source folder with the destination site page alone, in which
    // `fill` does what the user does; no progress window.
    PostAnswer RunSitePage(const std::function<bool(WindowDriver &, HWND page)> &fill) {
        PostCall call;
        call.paths = {source_.Path()};
        call.flags = WPF_SHOWPAGE_DESTSITE | WPF_NO_PROGRESS_DLGS;
        return RunDriven(call, [&fill](WindowDriver &driver) {
            HWND page = driver.WaitFor(kSite);
            return page && fill(driver, page);
        });
    }

    TempTree target_{"dst"};
};

TEST_F(WizardGuiTest, EveryPageInTurnThenFinishPostsWithProgress) {
    const PostCall call = SampleSiteToTarget(kAllPages);
    std::size_t colours[5] = {};
    const PostAnswer answer = RunDriven(call, [&](WindowDriver &driver) {
        HWND welcome = driver.WaitFor(kWelcome);
        if (!welcome)
            return false;
        EXPECT_FALSE(WindowDriver::Enabled(welcome, IDC_WP_BACK));
        EXPECT_FALSE(WindowDriver::Enabled(welcome, IDC_WP_FINISH));
        colours[0] = WindowDriver::Shoot(welcome, "wizard-1-welcome");
        WindowDriver::Click(welcome, IDC_WP_NEXT);

        HWND page = driver.WaitFor(kSource);
        if (!page)
            return false;
        EXPECT_EQ(WindowDriver::Text(page, IDC_WP_PATHS), source_.Path());
        EXPECT_TRUE(WindowDriver::Checked(page, IDC_WP_RECURSIVE));
        colours[1] = WindowDriver::Shoot(page, "wizard-2-source");
        // Back to the welcome page and forward again.
        WindowDriver::Click(page, IDC_WP_BACK);
        if (!(welcome = driver.WaitFor(kWelcome)))
            return false;
        WindowDriver::Click(welcome, IDC_WP_NEXT);
        if (!(page = driver.WaitFor(kSource)))
            return false;
        WindowDriver::Click(page, IDC_WP_NEXT);

        if (!(page = driver.WaitFor(kSite)))
            return false;
        EXPECT_EQ(WindowDriver::Text(page, IDC_WP_URL), target_.Path());
        colours[2] = WindowDriver::Shoot(page, "wizard-3-site");
        WindowDriver::Click(page, IDC_WP_NEXT);

        if (!(page = driver.WaitFor(kProvider)))
            return false;
        EXPECT_TRUE(WindowDriver::Checked(page, IDC_WP_KIND_FOLDER));
        EXPECT_FALSE(WindowDriver::Enabled(page, IDC_WP_NEXT));
        EXPECT_TRUE(WindowDriver::Enabled(page, IDC_WP_FINISH));
        colours[3] = WindowDriver::Shoot(page, "wizard-4-provider");
        WindowDriver::Click(page, IDC_WP_FINISH);
        return true;
    });
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(target_.Path()), SampleSite());
    for (int i = 0; i < 4; ++i)
        EXPECT_GT(colours[i], 8u) << "page " << i + 1 << " looks blank";
}

struct EveryFileCase {
    const char *name;
    bool check;
};

TEST_F(WizardGuiTest, TheSendEveryFileBoxSendsUnchangedFilesToo) {
    WriteTree(source_, "", SampleSite());
    const EveryFileCase cases[] = {{"box left clear: nothing is sent again", false},
                                   {"box checked: every file is sent again", true}};
    for (const EveryFileCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = target_.Below(c.check ? "checked" : "clear");
        PostCall call;
        call.paths = {source_.Path()};
        call.url = target;
        ASSERT_EQ(library_.Run(call).code, 0u);
        MarkServedFiles(target);
        call.flags = WPF_SHOWPAGE_SRCFILE | WPF_NO_PROGRESS_DLGS;
        std::size_t colours = 0;
        const PostAnswer answer = RunDriven(call, [&](WindowDriver &driver) {
            HWND page = driver.WaitFor(kSource);
            if (!page)
                return false;
            EXPECT_FALSE(WindowDriver::Checked(page, IDC_WP_FULLPOST));
            // Sent, not posted: checked before the screenshot is taken.
            if (c.check)
                ::SendDlgItemMessageA(page, IDC_WP_FULLPOST, BM_SETCHECK, BST_CHECKED, 0);
            EXPECT_EQ(WindowDriver::Checked(page, IDC_WP_FULLPOST), c.check);
            colours = WindowDriver::Shoot(page, c.check ? "wizard-2-source-every-file"
                                                        : "wizard-2-source-changed-only");
            WindowDriver::Click(page, IDC_WP_FINISH);
            return true;
        });
        ASSERT_EQ(answer.code, 0u) << answer.errorText;
        std::map<std::string, std::string> expected = SampleSite();
        if (!c.check) {
            for (auto &[path, bytes] : expected)
                bytes = path.back() == '/' ? "" : Marker(path);
        }
        EXPECT_EQ(PostedTree(target), expected);
        EXPECT_GT(colours, 8u) << "the page looks blank";
    }
}

TEST_F(WizardGuiTest, CancelOnAPageReturnsTheCancelCodeAndPostsNothing) {
    const PostCall call = SampleSiteToTarget(kAllPages);
    const PostAnswer answer = RunDriven(call, [&](WindowDriver &driver) {
        HWND page = driver.WaitFor(kWelcome);
        if (!page)
            return false;
        WindowDriver::Click(page, IDC_WP_NEXT);
        if (!(page = driver.WaitFor(kSource)))
            return false;
        WindowDriver::Click(page, IDCANCEL);
        return driver.WaitGone(page);
    });
    EXPECT_EQ(answer.code, kCancelled);
    EXPECT_TRUE(PostedTree(target_.Path()).empty());
    EXPECT_EQ(answer.url, target_.Path());
}

TEST_F(WizardGuiTest, ANewSiteGivenInTheWizardIsStored) {
    source_.Write("index.html", "<html/>");
    const std::string site = "from-wizard";
    const PostAnswer answer = RunSitePage([&](WindowDriver &driver, HWND page) {
        // Finish refuses a page without site and URL and stays.
        WindowDriver::Click(page, IDC_WP_FINISH);
        HWND complaint = driver.WaitFor("Web Publishing");
        if (!complaint)
            return false;
        ::PostMessageA(complaint, WM_COMMAND, IDOK, 0);
        driver.WaitGone(complaint);
        WindowDriver::SetText(page, IDC_WP_SITENAME, site);
        WindowDriver::SetText(page, IDC_WP_URL, target_.Path());
        WindowDriver::SetText(page, IDC_WP_USER, "ann");
        WindowDriver::Click(page, IDC_WP_FINISH);
        return true;
    });
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(answer.siteName, site);
    EXPECT_EQ(answer.url, target_.Path());
    EXPECT_EQ(sites_.Value(site, "URL"), target_.Path());
    EXPECT_EQ(sites_.Value(site, "Kind"), "folder");
    EXPECT_EQ(sites_.Value(site, "UserName"), "ann");
    EXPECT_EQ(sites_.Value(site, "Password"), "<missing>");
    EXPECT_EQ(PostedTree(target_.Path()).count("index.html"), 1u);
}

TEST_F(WizardGuiTest, APasswordGivenInTheWizardLogsInAndIsKeptOnlyProtected) {
    ServerAccount dav;
    const testsupport::ServerSettings servers = DavAccount(dav);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    WriteTree(source_, "", SampleSite());
    const std::string site = "wizard-auth";
    const std::string folder = "wizard-" + std::to_string(::GetCurrentProcessId());
    const PostAnswer answer = RunSitePage([&](WindowDriver &, HWND page) {
        WindowDriver::SetText(page, IDC_WP_SITENAME, site);
        WindowDriver::SetText(page, IDC_WP_URL, dav.url + "/" + folder);
        WindowDriver::SetText(page, IDC_WP_USER, dav.user);
        WindowDriver::SetText(page, IDC_WP_PASSWORD, dav.password);
        WindowDriver::Click(page, IDC_WP_REMEMBER);
        WindowDriver::Click(page, IDC_WP_FINISH);
        return true;
    });
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(dav.root + "\\site\\" + folder), SampleSite());
    EXPECT_EQ(sites_.Value(site, "UserName"), dav.user);
    const std::string kept = sites_.Value(site, "Password");
    ASSERT_NE(kept, "<missing>");
    EXPECT_EQ(kept.find(dav.password), std::string::npos) << "the password is stored in clear text";
    EXPECT_EQ(testsupport::UnprotectedPassword(kept), dav.password);

    // The stored site now posts by name alone, with the kept password.
    PostCall again;
    again.paths = {source_.Path()};
    again.siteName = site;
    const PostAnswer second = library_.Run(again);
    EXPECT_EQ(second.code, 0u) << second.errorText;
}

TEST_F(WizardGuiTest, CancelInTheProgressWindowStopsAfterTheCurrentFile) {
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i)
        source_.Write("f" + std::to_string(1000 + i) + ".bin", PatternBytes(256 * 1024, i));
    PostCall call;
    call.paths = {source_.Path()};
    call.url = target_.Path();
    call.flags = WPF_NO_WIZARD;
    std::size_t colours = 0;
    const PostAnswer answer = RunDriven(call, [&](WindowDriver &driver) {
        HWND progress = driver.WaitFor(kProgress);
        if (!progress)
            return false;
        colours = WindowDriver::Shoot(progress, "progress");
        WindowDriver::Click(progress, IDCANCEL);
        return driver.WaitGone(progress);
    });
    EXPECT_EQ(answer.code, kCancelled);
    EXPECT_NE(answer.errorText.find("of 200 files were posted"), std::string::npos)
        << answer.errorText;
    const auto posted = PostedTree(target_.Path());
    EXPECT_LT(posted.size(), static_cast<std::size_t>(kFiles));
    for (const auto &entry : posted) {
        EXPECT_EQ(entry.second.size(), 256u * 1024) << entry.first << " is not whole";
        EXPECT_EQ(entry.first.find(".tmp"), std::string::npos) << entry.first;
    }
    EXPECT_GT(colours, 8u) << "the progress window looks blank";
}

}  // namespace
}  // namespace webpost_test
