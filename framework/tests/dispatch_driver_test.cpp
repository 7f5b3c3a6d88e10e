// The dispatch driver against a real in-process automation object that
// records every call: argument types and order, result conversion, the two
// kinds of failure, and the release of the object.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/dispatch_driver.h"
#include "framework/ole_init.h"
#include "framework/text_codepage.h"
#include "recorder_control.h"

namespace fwtest {
namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// Registers the recording object in the prefix's class registry around each test and
// gives access to its control functions.
class DispatchDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ole_.Succeeded()) << std::hex << ole_.Status();
        dllPath_ = ProgramFolder() + "\\" + recorder::kDllName;
        // Names of this test's own, so that test programs running side by
        // side never see or remove each other's registration.
        GUID guid;
        ASSERT_EQ(::CoCreateGuid(&guid), S_OK);
        wchar_t wideClsid[64];
        ::StringFromGUID2(guid, wideClsid, 64);
        clsid_ = fw::WideToAnsi(wideClsid);
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08lX", static_cast<unsigned long>(guid.Data1));
        progId_ = std::string("FwTest.Recorder") + suffix;
        ASSERT_TRUE(SetKeyValue(ProgIdKey() + "\\CLSID", nullptr, clsid_.c_str()));
        ASSERT_TRUE(SetKeyValue(ClsidKey(), nullptr, progId_.c_str()));
        ASSERT_TRUE(SetKeyValue(ClsidKey() + "\\InprocServer32", nullptr, dllPath_.c_str()));
        ASSERT_TRUE(SetKeyValue(ClsidKey() + "\\InprocServer32", "ThreadingModel", "Apartment"));

        // The same module that COM loads: one instance per process.
        module_ = ::LoadLibraryA(dllPath_.c_str());
        ASSERT_NE(module_, nullptr) << dllPath_;
        callLog_ = Export<recorder::CallLogFn>(recorder::kCallLogExport);
        clear_ = Export<recorder::ClearFn>(recorder::kClearExport);
        failWithException_ = Export<recorder::FailWithExceptionFn>(recorder::kFailWithExceptionExport);
        failWithStatus_ = Export<recorder::FailWithStatusFn>(recorder::kFailWithStatusExport);
        liveObjects_ = Export<recorder::LiveObjectsFn>(recorder::kLiveObjectsExport);
        ASSERT_TRUE(callLog_ && clear_ && failWithException_ && failWithStatus_ && liveObjects_);
        clear_();
        ASSERT_EQ(liveObjects_(), 0);
    }
    void TearDown() override
    {
        driver_.ReleaseDispatch();
        RemoveRegistration();
        if (module_)
            ::FreeLibrary(module_);
    }

    std::string ProgIdKey() const { return progId_; }
    std::string ClsidKey() const { return "CLSID\\" + clsid_; }

    static bool SetKeyValue(const std::string &key, const char *name, const char *value)
    {
        HKEY handle = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &handle, nullptr) != ERROR_SUCCESS)
            return false;
        LONG status = ::RegSetValueExA(handle, name, 0, REG_SZ,
                                       reinterpret_cast<const BYTE *>(value),
                                       static_cast<DWORD>(std::strlen(value) + 1));
        ::RegCloseKey(handle);
        return status == ERROR_SUCCESS;
    }
    void RemoveRegistration() const
    {
        if (progId_.empty())
            return;
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ProgIdKey().c_str());
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ProgIdKey().c_str());
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ClsidKey().c_str());
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ClsidKey().c_str());
    }

    template <typename Function>
    Function Export(const char *name)
    {
        // Through a generic function pointer: FARPROC has a signature of its own.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)));
    }

    std::vector<std::string> Calls()
    {
        int length = callLog_(nullptr, 0);
        std::string text(length + 1, '\0');
        callLog_(&text[0], length + 1);
        text.resize(length);
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    void Create()
    {
        HRESULT status = E_FAIL;
        ASSERT_TRUE(driver_.CreateDispatch(progId_, &status)) << std::hex << status;
    }

    fw::COleInit ole_;
    std::string dllPath_;
    std::string clsid_;
    std::string progId_;
    HMODULE module_ = nullptr;
    recorder::CallLogFn callLog_ = nullptr;
    recorder::ClearFn clear_ = nullptr;
    recorder::FailWithExceptionFn failWithException_ = nullptr;
    recorder::FailWithStatusFn failWithStatus_ = nullptr;
    recorder::LiveObjectsFn liveObjects_ = nullptr;
    fw::CDispatchDriver driver_;
};

using fw::CDispArg;

std::string MethodLine(DISPID id, const std::string &args)
{
    return std::to_string(id) + " " + std::to_string(DISPATCH_METHOD) + args;
}

TEST_F(DispatchDriverTest, CreatesTheObjectFromItsProgId)
{
    Create();
    EXPECT_TRUE(driver_.HasDispatch());
    EXPECT_EQ(liveObjects_(), 1);
}

TEST_F(DispatchDriverTest, ArgumentsArriveInOrderWithTheirTypes)
{
    Create();
    driver_.InvokeMethod(recorder::kNothing, {CDispArg::String("album"), CDispArg::Bool(false),
                                              CDispArg::Bool(true), CDispArg::Long(-70000),
                                              CDispArg::Short(-3), CDispArg::NullString()});
    driver_.InvokeMethod(recorder::kNothing);
    std::vector<std::string> expected = {
        MethodLine(recorder::kNothing, " BSTR:album BOOL:0 BOOL:-1 I4:-70000 I2:-3 BSTR:<null>"),
        MethodLine(recorder::kNothing, ""),
    };
    EXPECT_EQ(Calls(), expected);
}

TEST_F(DispatchDriverTest, TextGoesThroughTheSystemCodePage)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "expects the Western code page, this system has " << ::GetACP();
    Create();
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::String("Caf\xE9")}), "Caf\xE9");
    fw::CVariant raw = driver_.InvokeHelper(recorder::kEcho, VT_BSTR, {CDispArg::String("\xE9t\xE9")});
    EXPECT_EQ(std::wstring(raw.Get()->bstrVal), L"\x00e9t\x00e9");
}

TEST_F(DispatchDriverTest, ResultsComeBackInTheirOwnTypes)
{
    Create();
    EXPECT_EQ(driver_.InvokeLong(recorder::kEcho, {CDispArg::Long(123456)}), 123456);
    EXPECT_EQ(driver_.InvokeShort(recorder::kEcho, {CDispArg::Short(-12)}), -12);
    EXPECT_TRUE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Bool(true)}));
    EXPECT_FALSE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Bool(false)}));
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::String("Mirror")}), "Mirror");
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::NullString()}), "");
}

TEST_F(DispatchDriverTest, ResultsOfAnotherTypeAreConverted)
{
    Create();
    EXPECT_EQ(driver_.InvokeLong(recorder::kEcho, {CDispArg::Short(300)}), 300);
    EXPECT_EQ(driver_.InvokeShort(recorder::kEcho, {CDispArg::Long(1)}), 1);
    EXPECT_TRUE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Long(5)}));
    EXPECT_FALSE(driver_.InvokeBool(recorder::kEcho, {CDispArg::Short(0)}));
    EXPECT_EQ(driver_.InvokeString(recorder::kEcho, {CDispArg::Long(-42)}), "-42");
    EXPECT_EQ(driver_.InvokeLong(recorder::kEcho, {CDispArg::String("77")}), 77);
    EXPECT_EQ(driver_.InvokeLong(recorder::kNothing), 0);  // no result at all
}

TEST_F(DispatchDriverTest, ResultThatCannotBeConvertedIsAnOleFailure)
{
    Create();
    try {
        driver_.InvokeLong(recorder::kEcho, {CDispArg::String("not a number")});
        FAIL() << "no failure";
    } catch (const fw::COleFailure &failure) {
        EXPECT_TRUE(FAILED(failure.Status()));
    }
}

TEST_F(DispatchDriverTest, UnregisteredProgIdFailsToCreate)
{
    HRESULT status = S_OK;
    EXPECT_FALSE(driver_.CreateDispatch("FrameworkTests.NoSuchObject", &status));
    EXPECT_TRUE(FAILED(status));
    EXPECT_FALSE(driver_.HasDispatch());
    // A call without an object is an OLE failure, not a crash.
    EXPECT_THROW(driver_.InvokeMethod(recorder::kNothing), fw::COleFailure);
}

TEST_F(DispatchDriverTest, UnknownMemberIsAnOleFailure)
{
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

TEST_F(DispatchDriverTest, FailingStatusOfTheObjectIsAnOleFailure)
{
    Create();
    failWithStatus_(DISP_E_TYPEMISMATCH);
    try {
        driver_.InvokeBool(recorder::kEcho, {CDispArg::Bool(true)});
        FAIL() << "no failure";
    } catch (const fw::COleFailure &failure) {
        EXPECT_EQ(failure.Status(), DISP_E_TYPEMISMATCH);
    }
}

TEST_F(DispatchDriverTest, ObjectsOwnErrorIsAnAutomationExceptionWithItsReport)
{
    for (int deferred : {0, 1}) {
        Create();
        failWithException_("Camera host", "The camera task is busy", E_ACCESSDENIED, 0, deferred);
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

TEST_F(DispatchDriverTest, ExceptionWithAnApplicationCodeKeepsIt)
{
    Create();
    failWithException_("", "Out of film", 0, 1001, 0);
    try {
        driver_.InvokeMethod(recorder::kNothing);
        FAIL() << "no failure";
    } catch (const fw::CAutomationException &exception) {
        EXPECT_EQ(exception.WCode(), 1001);
        EXPECT_EQ(exception.Scode(), 0);
        EXPECT_EQ(exception.Description(), "Out of film");
    }
}

TEST_F(DispatchDriverTest, ObjectIsReleasedOnRequestOnRecreationAndWithTheDriver)
{
    Create();
    ASSERT_EQ(liveObjects_(), 1);
    driver_.ReleaseDispatch();
    EXPECT_FALSE(driver_.HasDispatch());
    EXPECT_EQ(liveObjects_(), 0);

    Create();
    Create();
    EXPECT_EQ(liveObjects_(), 1) << "the first object was not released";
    {
        fw::CDispatchDriver second;
        second.AttachDispatch(driver_.GetDispatch());
        driver_.ReleaseDispatch();
        EXPECT_EQ(liveObjects_(), 1);
        second.InvokeMethod(recorder::kNothing);
    }
    EXPECT_EQ(liveObjects_(), 0);
}

}  // namespace
}  // namespace fwtest
