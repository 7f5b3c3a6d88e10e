// The application object: its run sequence, its profile and its message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "message_box_answerer.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
namespace {

using namespace testsupport;

// The profile as the program's users know it: <program>.INI in the Windows folder.
std::string ExpectedProfilePath() {
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string name = program;
    name = name.substr(name.find_last_of('\\') + 1);
    name = name.substr(0, name.rfind('.'));
    std::string path = folder;
    if (path.back() != '\\')
        path += '\\';
    return path + name + ".INI";
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = ExpectedProfilePath();
        Remove();
    }
    void TearDown() override { Remove(); }

    void Remove() {
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());  // flush the cache
        ::DeleteFileA(path_.c_str());
    }
    void Write(const char *section, const char *entry, const char *value) {
        ASSERT_TRUE(::WritePrivateProfileStringA(section, entry, value, path_.c_str()));
    }

    std::string path_;
    fw::CApp &app_ = *fw::CApp::Current();
};

TEST_F(ProfileTest, ProfileIsNamedAfterTheProgramInTheWindowsFolder) {
    EXPECT_EQ(app_.GetProfilePath(), path_);
}

// One case for everything that touches the file: test programs running side
// by side share it.
TEST_F(ProfileTest, ReadsNumbersFromTheProfileAndDefaultsForWhatIsMissing) {
    EXPECT_EQ(app_.GetProfileInt("Install", "930", 7), 7) << "no file yet";

    Write("Install", "930", "1");
    Write("Install", "964", "42");
    Write("Other", "930", "5");
    EXPECT_EQ(app_.GetProfileInt("Install", "930", 7), 1);
    EXPECT_EQ(app_.GetProfileInt("Install", "964", 7), 42);
    EXPECT_EQ(app_.GetProfileInt("Other", "930", 7), 5);
    EXPECT_EQ(app_.GetProfileInt("Install", "931", 3), 3) << "missing entry";
    EXPECT_EQ(app_.GetProfileInt("Elsewhere", "964", 4), 4) << "missing section";
}

class AppMessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { savedName_ = app_.GetAppName(); }
    void TearDown() override {
        app_.SetAppName(savedName_);
        app_.SetMainWnd(nullptr);
        DrainQueue();
    }

    fw::CApp &app_ = *fw::CApp::Current();
    std::string savedName_;
};

TEST_F(AppMessageBoxTest, NameDefaultsToTheProgramBaseName) {
    std::string path = ExpectedProfilePath();
    std::string base = path.substr(path.find_last_of('\\') + 1);
    EXPECT_EQ(savedName_ + ".INI", base);
}

TEST_F(AppMessageBoxTest, CaptionIsTheApplicationNameAndOwnerTheMainWindow) {
    CRecordingWindow mainWindow;
    ASSERT_TRUE(mainWindow.Create("Main window", 40, 40));
    app_.SetMainWnd(&mainWindow);
    app_.SetAppName("Tray Helper");

    MessageBoxAnswerer answerer(IDNO);
    ASSERT_TRUE(answerer.Installed());
    EXPECT_EQ(fw::AppMessageBox("Quit now?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(answerer.boxes, 1);
    EXPECT_EQ(answerer.caption, "Tray Helper");
    EXPECT_EQ(answerer.text, "Quit now?");
    EXPECT_EQ(answerer.owner, mainWindow.GetSafeHwnd());
}

TEST_F(AppMessageBoxTest, WithoutMainWindowTheBoxHasNoOwner) {
    app_.SetAppName("Publisher");
    MessageBoxAnswerer answerer(IDOK);
    ASSERT_TRUE(answerer.Installed());
    EXPECT_EQ(fw::AppMessageBox("Done."), IDOK);
    EXPECT_EQ(answerer.caption, "Publisher");
    EXPECT_EQ(answerer.owner, nullptr);
}

// An application whose steps write down what they found.
class CStepApp : public fw::CApp {
public:
    bool runLoop = false;
    int quitCode = 0;
    std::vector<std::string> steps;
    CRecordingWindow mainWindow;
    HWND mainHwnd = nullptr;
    bool mainAliveAtExit = true;
    bool wasCurrentInInit = false;

    bool InitInstance() override {
        steps.push_back("init");
        wasCurrentInInit = fw::CApp::Current() == this;
        if (mainWindow.Create("Step app main", 40, 40)) {
            mainHwnd = mainWindow.GetSafeHwnd();
            SetMainWnd(&mainWindow);
        }
        if (runLoop)
            ::PostQuitMessage(quitCode);
        return runLoop;
    }
    int Run() override {
        steps.push_back("run");
        return fw::CApp::Run();
    }
    int ExitInstance() override {
        steps.push_back("exit");
        mainAliveAtExit = ::IsWindow(mainHwnd) != FALSE;
        return fw::CApp::ExitInstance();
    }
};

TEST(RunAppTest, StartUpThatDeclinesTheLoopGoesStraightToExit) {
    fw::CApp *outer = fw::CApp::Current();
    {
        CStepApp app;
        int code = fw::RunApp(app, ::GetModuleHandleA(nullptr), "-s extra");
        std::vector<std::string> expected = {"init", "exit"};
        EXPECT_EQ(app.steps, expected);
        EXPECT_EQ(code, 0);
        EXPECT_TRUE(app.wasCurrentInInit);
        EXPECT_EQ(app.GetCmdLine(), "-s extra");
        EXPECT_FALSE(app.mainAliveAtExit) << "main window still there when the exit step ran";
    }
    EXPECT_EQ(fw::CApp::Current(), outer);
}

TEST(RunAppTest, LoopRunsUntilQuitAndItsCodeIsTheExitCode) {
    CStepApp app;
    app.runLoop = true;
    app.quitCode = 23;
    int code = fw::RunApp(app, ::GetModuleHandleA(nullptr), nullptr);
    std::vector<std::string> expected = {"init", "run", "exit"};
    EXPECT_EQ(app.steps, expected);
    EXPECT_EQ(code, 23);
    EXPECT_EQ(app.GetCmdLine(), "");
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
