// Numbered strings from the resource module, with "%1" substitution, and the
// switch of the resource module to a separate resource library.
#include <gtest/gtest.h>

#include <string>

#include "framework/app.h"
#include "framework/res_string.h"
#include "prerequisite.h"
#include "test_resource_ids.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
namespace {

using namespace testsupport;

TEST(ResStringTest, LoadsTheStringOfTheNumber) {
    EXPECT_EQ(fw::LoadResString(IDS_PLAIN), "Nothing to replace here");
    EXPECT_EQ(fw::LoadResString(IDS_GREETING), "Hello, %1!");
}

TEST(ResStringTest, MissingStringIsEmpty) {
    EXPECT_EQ(fw::LoadResString(IDS_MISSING), "");
    EXPECT_EQ(fw::FormatResString(IDS_MISSING, "anything"), "");
}

TEST(ResStringTest, LongStringComesThroughWhole) {
    std::string text = fw::LoadResString(IDS_LONG);
    EXPECT_GT(text.size(), 300u);
    EXPECT_EQ(text.substr(0, 10), "0123456789");
    EXPECT_EQ(text.substr(text.size() - 5), "<end>");
}

TEST(ResStringTest, TextIsInTheSystemCodePage) {
    REQUIRE_PREREQUISITE(::GetACP() == 1252,
                         "the Western code page; this system has " + std::to_string(::GetACP()));
    EXPECT_EQ(fw::FormatResString(IDS_ACCENTED, "Noir"), "Caf\xE9 Noir");
}

TEST(ResStringTest, FormatReplacesEveryPlaceholder) {
    EXPECT_EQ(fw::FormatResString(IDS_GREETING, "Vesna"), "Hello, Vesna!");
    EXPECT_EQ(fw::FormatResString(IDS_TWICE, "tea"), "tea and tea again");
    EXPECT_EQ(fw::FormatResString(IDS_PLAIN, "unused"), "Nothing to replace here");
    EXPECT_EQ(fw::FormatResString(IDS_GREETING, ""), "Hello, !");
}

TEST(ResStringTest, ArgumentIsNotSubstitutedAgain) {
    EXPECT_EQ(fw::SubstituteArg("<%1>", "%1%1"), "<%1%1>");
    EXPECT_EQ(fw::SubstituteArg("%1%1", "ab"), "abab");
    EXPECT_EQ(fw::SubstituteArg("100%", "x"), "100%");
    EXPECT_EQ(fw::SubstituteArg("%2 %12", "x"), "%2 x2");
}

// The application object takes its resources from a library loaded by name.
class ResourceLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = fw::CApp::Current();
        ASSERT_NE(app_, nullptr);
        library_ = ::LoadLibraryA("fw_test_resources.dll");
        ASSERT_NE(library_, nullptr);
        ownModule_ = app_->GetResourceModule();
        app_->SetResourceModule(library_);
    }
    void TearDown() override {
        if (app_)
            app_->SetResourceModule(ownModule_);
        if (library_)
            ::FreeLibrary(library_);
        DrainQueue();
    }

    fw::CApp *app_ = nullptr;
    HMODULE library_ = nullptr;
    HMODULE ownModule_ = nullptr;
};

TEST_F(ResourceLibraryTest, StringsComeFromTheLibrary) {
    EXPECT_EQ(fw::FormatResString(IDS_GREETING, "hi"), "Library says hi");
    EXPECT_EQ(fw::LoadResString(IDS_PLAIN), "");  // only in the program
}

TEST_F(ResourceLibraryTest, DialogTemplatesComeFromTheLibrary) {
    CScriptedDialog fromLibrary(IDD_LIBRARY_ONLY, nullptr);
    std::string caption;
    fromLibrary.onInit = [&](CScriptedDialog &self) {
        caption = self.GetWindowText();
        self.EndDialog(IDOK);
    };
    EXPECT_EQ(fromLibrary.DoModal(), IDOK);
    EXPECT_EQ(caption, "From the resource library");

    CScriptedDialog onlyInProgram(IDD_PLAIN, nullptr);
    EXPECT_EQ(onlyInProgram.DoModal(), -1);
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
