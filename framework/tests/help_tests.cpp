// The standard help handler: the program's help file beside the program, handed
// to the help viewer when it is there and named in a message box when not.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/help.h"
#include "message_box_answerer.h"
#include "platform/win32_handles.h"
#include "test_windows.h"

namespace fw_test {
namespace {

using testsupport::CRecordingWindow;
using testsupport::MessageBoxAnswerer;

// Worked out from the program's own file, as its users would find it.
std::string ExpectedHelpPath() {
    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string path = program;
    const size_t slash = path.find_last_of('\\');
    return path.substr(0, slash + 1) + "framework_tests.hlp";
}

struct ViewerCall {
    HWND owner;
    std::string file;
    UINT command;
};
std::vector<ViewerCall> viewerCalls;

BOOL WINAPI RecordViewer(HWND owner, LPCSTR file, UINT command, ULONG_PTR) {
    viewerCalls.push_back({owner, file, command});
    return TRUE;
}

struct HelpCase {
    const char *name;
    bool filePresent;
    bool opened;     // ShowProgramHelp's answer
    int boxes;       // message boxes shown
    size_t viewed;   // calls of the viewer
};

class ProgramHelpTest : public ::testing::TestWithParam<HelpCase> {
protected:
    void SetUp() override {
        path_ = ExpectedHelpPath();
        ::DeleteFileA(path_.c_str());
        viewerCalls.clear();
        savedName_ = app_.GetAppName();
    }
    void TearDown() override {
        ::DeleteFileA(path_.c_str());
        app_.SetMainWnd(nullptr);
        app_.SetAppName(savedName_);
        testsupport::DrainQueue();
    }

    std::string path_;
    std::string savedName_;
    fw::CApp &app_ = *fw::CApp::Current();
};

TEST_P(ProgramHelpTest, OpensTheHelpFileOrNamesTheMissingOne) {
    const HelpCase &c = GetParam();
    if (c.filePresent) {
        platform::UniqueFile file(::CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file) << "cannot make " << path_;
    }
    CRecordingWindow mainWindow;
    ASSERT_TRUE(mainWindow.Create("Main window", 40, 40));
    app_.SetMainWnd(&mainWindow);
    app_.SetAppName("Helpful");

    EXPECT_EQ(fw::ProgramHelpPath(), path_);
    MessageBoxAnswerer answerer(IDOK);
    ASSERT_TRUE(answerer.Installed());
    EXPECT_EQ(fw::ShowProgramHelp(RecordViewer), c.opened);
    EXPECT_EQ(answerer.boxes, c.boxes);
    ASSERT_EQ(viewerCalls.size(), c.viewed);
    if (c.boxes > 0) {
        EXPECT_EQ(answerer.text, "Cannot find the help file " + path_ + ".");
        EXPECT_EQ(answerer.caption, "Helpful");
        EXPECT_EQ(answerer.owner, mainWindow.GetSafeHwnd());
    }
    for (const ViewerCall &call : viewerCalls) {
        EXPECT_EQ(call.owner, mainWindow.GetSafeHwnd());
        EXPECT_EQ(call.file, path_);
        EXPECT_EQ(call.command, static_cast<UINT>(HELP_FINDER));
    }
}

INSTANTIATE_TEST_SUITE_P(
    HelpFile, ProgramHelpTest,
    ::testing::Values(HelpCase{"Missing", false, false, 1, 0},
                      HelpCase{"Present", true, true, 0, 1}),
    [](const ::testing::TestParamInfo<HelpCase> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fw_test
