// The dispatch driver against a real in-process automation object that
// records every call: argument types and order, result conversion, the two
// kinds of failure, and the release of the object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dispatch_driver.h"
#include "framework/ole_init.h"
#include "prerequisite.h"
#include "registered_recorder.h"

namespace fw_test {

namespace fwtest {
namespace {

using testsupport::RegisteredRecorder;
namespace recorder = testsupport::recorder;

// The recording object registered around each test.
class DispatchDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole_.Succeeded()) << std::hex << ole_.Status();
        ASSERT_TRUE(recorder_.Ready()) << recorder_.Problem();
        recorder_.Clear();
        ASSERT_EQ(recorder_.LiveObjects(), 0);
    }
    void TearDown() override { driver_.ReleaseDispatch(); }

    std::vector<std::string> Calls() const { return recorder_.Calls(); }

    void Create() {
        HRESULT status = E_FAIL;
        ASSERT_TRUE(driver_.CreateDispatch(recorder_.ProgId(), &status)) << std::hex << status;
    }

    fw::COleInit ole_;
    RegisteredRecorder recorder_;
    fw::CDispatchDriver driver_;
};

using fw::CDispArg;

std::string MethodLine(DISPID id, const std::string &args) {
    return std::to_string(id) + " " + std::to_string(DISPATCH_METHOD) + args;
}

TEST_F(DispatchDriverTest, CreatesTheObjectFromItsProgId) {
    Create();
    EXPECT_TRUE(driver_.HasDispatch());
    EXPECT_EQ(recorder_.LiveObjects(), 1);
}

TEST_F(DispatchDriverTest, ArgumentsArriveInOrderWithTheirTypes) {
    Create();
    driver_.InvokeMethod(recorder::kNothing,
                         {CDispArg::String("album"), CDispArg::Bool(false), CDispArg::Bool(true),
                          CDispArg::Long(-70000), CDispArg::Short(-3), CDispArg::NullString()});
    driver_.InvokeMethod(recorder::kNothing);
    std::vector<std::string> expected = {
        MethodLine(recorder::kNothing, " BSTR:album BOOL:0 BOOL:-1 I4:-70000 I2:-3 BSTR(null)"),
        MethodLine(recorder::kNothing, ""),
    };
    EXPECT_EQ(Calls(), expected);
}

TEST_F(DispatchDriverTest, TextGoesThroughTheSystemCodePage) {
    REQUIRE_PREREQUISITE(::GetACP() == 1252,
                         "the Western code page; this system has " + std::to_string(::GetACP()));
    Create();
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::String("Caf\xE9")}), "Caf\xE9");
    fw::CVariant raw =
        driver_.InvokeHelper(recorder::kEcho, VT_BSTR, {CDispArg::String("\xE9t\xE9")});
    EXPECT_EQ(std::wstring(raw.Get()->bstrVal), L"\x00e9t\x00e9");
}

TEST_F(DispatchDriverTest, ResultsComeBackInTheirOwnTypes) {
    Create();
    EXPECT_EQ(driver_.InvokeLong(recorder::kEcho, {CDispArg::Long(123456)}), 123456);
    EXPECT_EQ(driver_.InvokeShort(recorder::kEcho, {CDispArg::Short(-12)}), -12);
    EXPECT_TRUE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Bool(true)}));
    EXPECT_FALSE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Bool(false)}));
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::String("Mirror")}), "Mirror");
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::NullString()}), "");
}

TEST_F(DispatchDriverTest, ResultsOfAnotherTypeAreConverted) {
    Create();
    EXPECT_EQ(driver_.InvokeLong(recorder::kEcho, {CDispArg::Short(300)}), 300);
    EXPECT_EQ(driver_.InvokeShort(recorder::kEcho, {CDispArg::Long(1)}), 1);
    EXPECT_TRUE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Long(5)}));
    EXPECT_FALSE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Short(0)}));
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::Long(-42)}), "-42");
    EXPECT_EQ(driver_.InvokeLong(recorder::kEcho, {CDispArg::String("77")}), 77);
    EXPECT_EQ(driver_.InvokeLong(recorder::kNothing), 0);  // no result at all
}

TEST_F(DispatchDriverTest, ResultThatCannotBeConvertedIsAnOleFailure) {
    Create();
    try {
        driver_.InvokeLong(recorder::kEcho, {CDispArg::String("not a number")});
        FAIL() << "no failure";
    } catch (const fw::COleFailure &failure) {
        EXPECT_TRUE(FAILED(failure.Status()));
    }
}

TEST_F(DispatchDriverTest, UnregisteredProgIdFailsToCreate) {
    HRESULT status = S_OK;
    EXPECT_FALSE(driver_.CreateDispatch("FrameworkTests.NoSuchObject", &status));
    EXPECT_TRUE(FAILED(status));
    EXPECT_FALSE(driver_.HasDispatch());
    // A call without an object is an OLE failure, not a crash.
    EXPECT_THROW(driver_.InvokeMethod(recorder::kNothing), fw::COleFailure);
}

TEST_F(DispatchDriverTest, UnknownMemberIsAnOleFailure) {
    Create();
    try {
        driver_.InvokeMethod(99, {CDispArg::Long(1)});
        FAIL() << "no failure";
    } catch (const fw::COleFailure &failure) {
        EXPECT_EQ(failure.Status(), DISP_E_MEMBERNOTFOUND);
    } catch (const fw::CAutomationException &) {
        FAIL() << "reported as an automation exception";
    }
}

TEST_F(DispatchDriverTest, FailingStatusOfTheObjectIsAnOleFailure) {
    Create();
    recorder_.FailWithStatus(DISP_E_TYPEMISMATCH);
    try {
        driver_.InvokeBool(recorder::kEcho, {CDispArg::Bool(true)});
        FAIL() << "no failure";
    } catch (const fw::COleFailure &failure) {
        EXPECT_EQ(failure.Status(), DISP_E_TYPEMISMATCH);
    }
}

TEST_F(DispatchDriverTest, ObjectsOwnErrorIsAnAutomationExceptionWithItsReport) {
    for (int deferred : {0, 1}) {
        Create();
        recorder_.FailWithException("Camera host", "The camera task is busy", E_ACCESSDENIED, 0,
                                    deferred != 0);
        try {
            driver_.InvokeShort(recorder::kEcho, {CDispArg::Short(1)});
            ADD_FAILURE() << "no failure, deferred " << deferred;
        } catch (const fw::CAutomationException &exception) {
            EXPECT_EQ(exception.Source(), "Camera host") << deferred;
            EXPECT_EQ(exception.Description(), "The camera task is busy") << deferred;
            EXPECT_STREQ(exception.what(), "The camera task is busy") << deferred;
            EXPECT_EQ(exception.Scode(), E_ACCESSDENIED) << deferred;
        } catch (const fw::COleFailure &failure) {
            ADD_FAILURE() << "reported as an OLE failure " << std::hex << failure.Status();
        }
    }
}

TEST_F(DispatchDriverTest, ExceptionWithAnApplicationCodeKeepsIt) {
    Create();
    recorder_.FailWithException("", "Out of film", 0, 1001, false);
    try {
        driver_.InvokeMethod(recorder::kNothing);
        FAIL() << "no failure";
    } catch (const fw::CAutomationException &exception) {
        EXPECT_EQ(exception.WCode(), 1001);
        EXPECT_EQ(exception.Scode(), 0);
        EXPECT_EQ(exception.Description(), "Out of film");
    }
}

TEST_F(DispatchDriverTest, ObjectIsReleasedOnRequestOnRecreationAndWithTheDriver) {
    Create();
    ASSERT_EQ(recorder_.LiveObjects(), 1);
    driver_.ReleaseDispatch();
    EXPECT_FALSE(driver_.HasDispatch());
    EXPECT_EQ(recorder_.LiveObjects(), 0);

    Create();
    Create();
    EXPECT_EQ(recorder_.LiveObjects(), 1) << "the first object was not released";
    {
        fw::CDispatchDriver second;
        second.AttachDispatch(driver_.GetDispatch());
        driver_.ReleaseDispatch();
        EXPECT_EQ(recorder_.LiveObjects(), 1);
        second.InvokeMethod(recorder::kNothing);
    }
    EXPECT_EQ(recorder_.LiveObjects(), 0);
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
