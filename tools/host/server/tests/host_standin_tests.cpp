// The stand-in host as the applet meets it: registered in the prefix,
// started by COM in a process of its own, called by DISPID through the
// framework's dispatch driver. Each test gets a fresh server (the class is
// single-use) and reads the server's log and task window through the
// control library.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dispatch_driver.h"
#include "framework/ole_init.h"
#include "host_control.h"
#include "notify_listener.h"
#include "platform/win32_handles.h"
#include "prerequisite.h"
#include "registry_sandbox.h"
#include "screen_shot.h"

namespace standin_test {
namespace {

using fw::CDispArg;
using testsupport::HostAnswers;
using testsupport::HostCall;
using testsupport::HostStandIn;

HostAnswers With(const std::function<void(HostAnswers &)> &change) {
    HostAnswers answers;
    change(answers);
    return answers;
}

// The driver takes its arguments as an initializer list.
fw::CVariant Invoke(fw::CDispatchDriver &driver, DISPID id, VARTYPE type,
                    const std::vector<CDispArg> &a) {
    switch (a.size()) {
    case 0:
        return driver.InvokeHelper(id, type, {});
    case 1:
        return driver.InvokeHelper(id, type, {a[0]});
    case 2:
        return driver.InvokeHelper(id, type, {a[0], a[1]});
    case 3:
        return driver.InvokeHelper(id, type, {a[0], a[1], a[2]});
    default:
        return driver.InvokeHelper(id, type, {a[0], a[1], a[2], a[3]});
    }
}

std::string Describe(const fw::CVariant &value) {
    const VARIANT &v = *value.Get();
    switch (v.vt) {
    case VT_EMPTY:
        return "EMPTY";
    case VT_BOOL:
        return "BOOL:" + std::to_string(v.boolVal);
    case VT_I2:
        return "I2:" + std::to_string(v.iVal);
    case VT_I4:
        return "I4:" + std::to_string(v.lVal);
    default:
        return "VT" + std::to_string(v.vt);
    }
}

std::string Methods(const std::vector<HostCall> &calls) {
    std::string text;
    for (const HostCall &call : calls)
        text += (text.empty() ? "" : " ") + call.method;
    return text;
}

std::string Dump(const std::vector<HostCall> &calls) {
    std::string text;
    for (const HostCall &call : calls)
        text += testsupport::DescribeCall(call) + "\n";
    return text;
}

// Straight to IDispatch::Invoke, for what the driver does not show: the
// result as it travels, other call kinds, the argument index of a refusal.
HRESULT RawInvoke(IDispatch *dispatch, DISPID id, WORD flags, const std::vector<CDispArg> &args,
                  VARIANT *result, UINT *argError = nullptr) {
    std::vector<fw::CVariant> variants(args.size());
    std::vector<VARIANT> raw;
    for (size_t i = 0; i < args.size(); ++i) {
        args[args.size() - 1 - i].Store(*variants[i].Get());
        raw.push_back(*variants[i].Get());  // shallow: `variants` owns the contents
    }
    DISPPARAMS params = {raw.empty() ? nullptr : raw.data(), nullptr, static_cast<UINT>(raw.size()),
                         0};
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                            argError);
}

class HostStandInTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole_.Succeeded());
        REQUIRE_PREREQUISITE(host_.Ready(), "the stand-in host: " + host_.Problem());
    }
    void TearDown() override {
        driver_.ReleaseDispatch();
        // A task left open keeps its server: end it as a user would.
        HostStandIn::ClickEndTask();
        EXPECT_TRUE(host_.WaitForServersToExit()) << "a server outlived its object";
    }
    void Connect() {
        HRESULT status = S_OK;
        ASSERT_TRUE(driver_.CreateDispatch(standin::kProgId, &status))
            << "status 0x" << std::hex << status;
    }
    bool Call(DISPID id, std::vector<CDispArg> args = {}, VARTYPE type = VT_BOOL) {
        return Invoke(driver_, id, type, args).Get()->boolVal != VARIANT_FALSE;
    }

    fw::COleInit ole_;
    HostStandIn host_;
    fw::CDispatchDriver driver_;
};

// ---- each method with the types it takes and answers ----

struct CallCase {
    const char *name;
    DISPID id;
    std::vector<CDispArg> args;
    VARTYPE resultType;
    HostAnswers answers;
    const char *result;               // as the driver hands it back
    std::vector<std::string> logged;  // as the server received them
    bool opensTask;
};

// A null string crossing the process boundary arrives as an empty one under
// Wine (its marshalling keeps the null, the server-side call stub hands the
// server a copy that is an allocated empty string). The client sends it null:
// the framework's own tests see that in process.
constexpr const char kNullStringAsReceived[] = "BSTR:";

const CDispArg kF = CDispArg::Bool(false);
const CDispArg kT = CDispArg::Bool(true);

const std::vector<CallCase> &CallCases() {
    static const std::vector<CallCase> cases = {
        {"ApplyOptions TRUE",
         standin::kApplyOptions,
         {kT},
         VT_EMPTY,
         {},
         "EMPTY",
         {"BOOL:-1"},
         false},
        {"ApplyOptions FALSE",
         standin::kApplyOptions,
         {kF},
         VT_EMPTY,
         {},
         "EMPTY",
         {"BOOL:0"},
         false},
        {"EndTask TRUE", standin::kEndTask, {}, VT_BOOL, {}, "BOOL:-1", {}, false},
        {"EndTask FALSE",
         standin::kEndTask,
         {},
         VT_BOOL,
         With([](HostAnswers &a) { a.endTask = false; }),
         "BOOL:0",
         {},
         false},
        {"SetNotifyWindow TRUE",
         standin::kSetNotifyWindow,
         {CDispArg::Long(0x12345)},
         VT_BOOL,
         {},
         "BOOL:-1",
         {"I4:74565"},
         false},
        {"SetNotifyWindow FALSE",
         standin::kSetNotifyWindow,
         {CDispArg::Long(-2)},
         VT_BOOL,
         With([](HostAnswers &a) { a.setNotifyWindow = false; }),
         "BOOL:0",
         {"I4:-2"},
         false},
        {"OpenTask 1",
         standin::kOpenTask,
         {kF, kF, kT},
         VT_I2,
         {},
         "I2:1",
         {"BOOL:0", "BOOL:0", "BOOL:-1"},
         true},
        {"OpenTask 0",
         standin::kOpenTask,
         {kF, kF, kT},
         VT_I2,
         With([](HostAnswers &a) { a.openTask = 0; }),
         "I2:0",
         {"BOOL:0", "BOOL:0", "BOOL:-1"},
         false},
        {"OpenTask -1",
         standin::kOpenTask,
         {kT, kF, kF},
         VT_I2,
         With([](HostAnswers &a) { a.openTask = -1; }),
         "I2:-1",
         {"BOOL:-1", "BOOL:0", "BOOL:0"},
         false},
        {"OpenTask arguments converted from I2",
         standin::kOpenTask,
         {CDispArg::Short(0), CDispArg::Short(0), CDispArg::Short(1)},
         VT_I2,
         {},
         "I2:1",
         {"I2:0", "I2:0", "I2:1"},
         true},
        {"OpenTaskEx null string",
         standin::kOpenTaskEx,
         {CDispArg::NullString(), kF, kF, kT},
         VT_I2,
         {},
         "I2:1",
         {kNullStringAsReceived, "BOOL:0", "BOOL:0", "BOOL:-1"},
         true},
        {"OpenTaskEx text, answer 2",
         standin::kOpenTaskEx,
         {CDispArg::String("Album 12"), kT, kF, kF},
         VT_I2,
         With([](HostAnswers &a) {
             a.openTaskEx = 2;
             a.openTask = 1;
         }),
         "I2:2",
         {"BSTR:Album 12", "BOOL:-1", "BOOL:0", "BOOL:0"},
         false},
        {"SetClientTitle text",
         standin::kSetClientTitle,
         {CDispArg::String("Vesko")},
         VT_EMPTY,
         {},
         "EMPTY",
         {"BSTR:Vesko"},
         false},
        {"SetClientTitle null string",
         standin::kSetClientTitle,
         {CDispArg::NullString()},
         VT_EMPTY,
         {},
         "EMPTY",
         {kNullStringAsReceived},
         false},
        {"results sent as I4 come back as BOOL",
         standin::kEndTask,
         {},
         VT_BOOL,
         With([](HostAnswers &a) { a.resultType = VT_I4; }),
         "BOOL:-1",
         {},
         false},
        {"results sent as text come back as short",
         standin::kOpenTask,
         {kF, kF, kT},
         VT_I2,
         With([](HostAnswers &a) {
             a.resultType = VT_BSTR;
             a.openTask = 3;
         }),
         "I2:3",
         {"BOOL:0", "BOOL:0", "BOOL:-1"},
         false},
    };
    return cases;
}

TEST_F(HostStandInTest, EachMethodTakesItsTypesAndAnswersAsSet) {
    for (const CallCase &c : CallCases()) {
        SCOPED_TRACE(c.name);
        host_.SetAnswers(c.answers);
        host_.ClearCalls();
        Connect();
        fw::CVariant result = Invoke(driver_, c.id, c.resultType, c.args);
        EXPECT_EQ(Describe(result), c.result);
        std::vector<HostCall> calls = host_.Calls();
        ASSERT_EQ(calls.size(), 1u) << Dump(calls);
        EXPECT_EQ(calls[0].dispid, c.id);
        EXPECT_EQ(calls[0].status, S_OK);
        EXPECT_EQ(calls[0].args, c.logged) << Dump(calls);
        EXPECT_EQ(HostStandIn::TaskWindow() != nullptr, c.opensTask);
        EXPECT_EQ(host_.ServerProcesses().size(), 1u);
        EXPECT_EQ(calls[0].process, host_.ServerProcesses().front());
        // Next case, next server.
        driver_.ReleaseDispatch();
        HostStandIn::ClickEndTask();
        ASSERT_TRUE(host_.WaitForServersToExit());
    }
}

TEST_F(HostStandInTest, ResultTypesAsTheyTravel) {
    // What the driver gets before it converts: the stated types by default.
    const struct {
        DISPID id;
        std::vector<CDispArg> args;
        VARTYPE sentAs;
        VARTYPE expected;
    } kCases[] = {
        {standin::kEndTask, {}, VT_EMPTY, VT_BOOL},
        {standin::kSetNotifyWindow, {CDispArg::Long(0)}, VT_EMPTY, VT_BOOL},
        {standin::kOpenTask, {kF, kF, kT}, VT_EMPTY, VT_I2},
        {standin::kOpenTaskEx, {CDispArg::NullString(), kF, kF, kT}, VT_EMPTY, VT_I2},
        {standin::kApplyOptions, {kT}, VT_I4, VT_EMPTY},
        {standin::kOpenTask, {kF, kF, kT}, VT_I4, VT_I4},
        {standin::kEndTask, {}, VT_BSTR, VT_BSTR},
    };
    Connect();
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.id);
        host_.SetAnswers(With([&](HostAnswers &a) {
            a.resultType = c.sentAs;
            a.openTask = 0;  // no task window in between
        }));
        fw::CVariant result;
        ASSERT_EQ(RawInvoke(driver_.GetDispatch(), c.id, DISPATCH_METHOD, c.args, result.Get()),
                  S_OK);
        EXPECT_EQ(result.Type(), c.expected);
    }
}

// ---- calls the server refuses ----

struct RefusedCase {
    const char *name;
    DISPID id;
    std::vector<CDispArg> args;
    HRESULT status;
    WORD flags;
};

TEST_F(HostStandInTest, RefusesWrongMembersCountsAndTypes) {
    const std::vector<RefusedCase> cases = {
        {"unknown DISPID", 99, {}, DISP_E_MEMBERNOTFOUND, DISPATCH_METHOD},
        {"DISPID 0", 0, {kT}, DISP_E_MEMBERNOTFOUND, DISPATCH_METHOD},
        {"EndTask as a property",
         standin::kEndTask,
         {},
         DISP_E_MEMBERNOTFOUND,
         DISPATCH_PROPERTYGET},
        {"EndTask with an argument",
         standin::kEndTask,
         {kT},
         DISP_E_BADPARAMCOUNT,
         DISPATCH_METHOD},
        {"OpenTask with two", standin::kOpenTask, {kF, kT}, DISP_E_BADPARAMCOUNT, DISPATCH_METHOD},
        {"OpenTaskEx without its string",
         standin::kOpenTaskEx,
         {kF, kF, kT},
         DISP_E_BADPARAMCOUNT,
         DISPATCH_METHOD},
        {"SetClientTitle without its title",
         standin::kSetClientTitle,
         {},
         DISP_E_BADPARAMCOUNT,
         DISPATCH_METHOD},
        {"OpenTask with a word for a BOOL",
         standin::kOpenTask,
         {CDispArg::String("maybe"), kF, kT},
         DISP_E_TYPEMISMATCH,
         DISPATCH_METHOD},
        {"SetNotifyWindow with text",
         standin::kSetNotifyWindow,
         {CDispArg::String("window")},
         DISP_E_TYPEMISMATCH,
         DISPATCH_METHOD},
        {"ApplyOptions with a word",
         standin::kApplyOptions,
         {CDispArg::String("yes")},
         DISP_E_TYPEMISMATCH,
         DISPATCH_METHOD},
    };
    Connect();
    for (const RefusedCase &c : cases) {
        SCOPED_TRACE(c.name);
        host_.ClearCalls();
        HRESULT status = S_OK;
        if (c.flags == DISPATCH_METHOD) {
            try {
                Invoke(driver_, c.id, VT_EMPTY, c.args);
            } catch (const fw::COleFailure &failure) {
                status = failure.Status();
            }
        } else {
            fw::CVariant result;
            status = RawInvoke(driver_.GetDispatch(), c.id, c.flags, c.args, result.Get());
        }
        EXPECT_EQ(status, c.status) << std::hex << status;
        std::vector<HostCall> calls = host_.Calls();
        ASSERT_EQ(calls.size(), 1u) << Dump(calls);
        EXPECT_EQ(calls[0].status, c.status);
        EXPECT_EQ(calls[0].args.size(), c.args.size()) << Dump(calls);
        EXPECT_EQ(HostStandIn::TaskWindow(), nullptr);
    }
}

TEST_F(HostStandInTest, TypeMismatchNamesTheArgument) {
    Connect();
    // OpenTaskEx(string, BOOL, BOOL, BOOL) with a word in the third place:
    // DISPPARAMS holds it at index 1.
    UINT argError = 77;
    EXPECT_EQ(RawInvoke(driver_.GetDispatch(), standin::kOpenTaskEx, DISPATCH_METHOD,
                        {CDispArg::NullString(), kF, CDispArg::String("no such thing"), kT},
                        nullptr, &argError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 1u);
}

// ---- the automation exception answer ----

TEST_F(HostStandInTest, ExceptionAnswerArrivesWithItsReport) {
    const struct {
        DISPID id;
        std::vector<CDispArg> args;
        unsigned short wCode;
    } kCases[] = {
        {standin::kApplyOptions, {kT}, 0},
        {standin::kEndTask, {}, 0},
        {standin::kSetNotifyWindow, {CDispArg::Long(1)}, 0},
        {standin::kOpenTask, {kF, kF, kT}, 0},
        {standin::kOpenTaskEx, {CDispArg::NullString(), kF, kF, kT}, 1001},
        {standin::kSetClientTitle, {CDispArg::String("Vesko")}, 0},
    };
    CNotifyListener listener;
    Connect();
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.id);
        host_.ClearCalls();
        const std::string description = "camera busy in " + std::to_string(c.id);
        host_.SetAnswers(With([&](HostAnswers &a) {
            a.exceptionMethod = c.id;
            a.exceptionSource = "Stand-in test";
            a.exceptionDescription = description;
            a.exceptionScode = static_cast<long>(0x80040201);
            a.exceptionCode = c.wCode;
        }));
        bool thrown = false;
        try {
            Invoke(driver_, c.id, VT_EMPTY, c.args);
        } catch (const fw::CAutomationException &exception) {
            thrown = true;
            EXPECT_EQ(exception.Source(), "Stand-in test");
            EXPECT_EQ(exception.Description(), description);
            EXPECT_EQ(exception.WCode(), c.wCode);
            EXPECT_EQ(exception.Scode(), c.wCode ? 0 : static_cast<SCODE>(0x80040201));
        }
        EXPECT_TRUE(thrown);
        std::vector<HostCall> calls = host_.Calls();
        ASSERT_EQ(calls.size(), 1u) << Dump(calls);
        EXPECT_EQ(calls[0].status, DISP_E_EXCEPTION);
        // Nothing else happens: no task opens, no handle is taken.
        EXPECT_EQ(HostStandIn::TaskWindow(), nullptr);
    }
    host_.SetAnswers(HostAnswers());
    Call(standin::kEndTask);
    // Had the failing SetNotifyWindow kept its handle, EndTask would notify.
    EXPECT_TRUE(listener.WaitFor(1, 0).empty());
}

// ---- notifications and the task window ----

TEST_F(HostStandInTest, EndTaskTrueNotifiesTheGivenWindowOnce) {
    CNotifyListener listener;
    Connect();
    EXPECT_TRUE(Call(standin::kSetNotifyWindow, {CDispArg::Long(listener.HandleNumber())}));
    Invoke(driver_, standin::kSetClientTitle, VT_EMPTY, {CDispArg::String("Vesko")});
    EXPECT_EQ(Invoke(driver_, standin::kOpenTask, VT_I2, {kF, kF, kT}).Get()->iVal, 1);
    EXPECT_NE(HostStandIn::TaskWindow(), nullptr);

    EXPECT_TRUE(Call(standin::kEndTask));
    EXPECT_EQ(listener.WaitFor(1), (std::vector<CNotifyListener::Notification>{{0, 0}}));
    EXPECT_EQ(HostStandIn::TaskWindow(), nullptr);

    // FALSE posts nothing: the next TRUE's notification is the only one.
    host_.SetAnswers(With([](HostAnswers &a) { a.endTask = false; }));
    EXPECT_FALSE(Call(standin::kEndTask));
    host_.SetAnswers(HostAnswers());
    EXPECT_TRUE(Call(standin::kEndTask));
    EXPECT_EQ(listener.WaitFor(2).size(), 2u);
    EXPECT_EQ(listener.WaitFor(3, 0).size(), 2u);

    EXPECT_EQ(Methods(host_.Calls()),
              "SetNotifyWindow SetClientTitle OpenTask EndTask EndTask EndTask");
}

TEST_F(HostStandInTest, RefusedNotifyWindowIsNotUsed) {
    CNotifyListener refused, accepted;
    Connect();
    host_.SetAnswers(With([](HostAnswers &a) { a.setNotifyWindow = false; }));
    EXPECT_FALSE(Call(standin::kSetNotifyWindow, {CDispArg::Long(refused.HandleNumber())}));
    EXPECT_TRUE(Call(standin::kEndTask));
    host_.SetAnswers(HostAnswers());
    EXPECT_TRUE(Call(standin::kSetNotifyWindow, {CDispArg::Long(accepted.HandleNumber())}));
    EXPECT_TRUE(Call(standin::kEndTask));
    // Posted by one thread to this one: anything for `refused` came first.
    EXPECT_EQ(accepted.WaitFor(1).size(), 1u);
    EXPECT_TRUE(refused.WaitFor(1, 0).empty());
}

TEST_F(HostStandInTest, TaskWindowShowsWhileOpenAndItsButtonEndsTheTask) {
    CNotifyListener listener;
    Connect();
    Call(standin::kSetNotifyWindow, {CDispArg::Long(listener.HandleNumber())});
    Invoke(driver_, standin::kSetClientTitle, VT_EMPTY, {CDispArg::String("Vesko")});
    ASSERT_EQ(HostStandIn::TaskWindow(), nullptr);
    EXPECT_EQ(Invoke(driver_, standin::kOpenTaskEx, VT_I2, {CDispArg::NullString(), kF, kF, kT})
                  .Get()
                  ->iVal,
              1);
    HWND window = HostStandIn::TaskWindow();
    ASSERT_NE(window, nullptr);
    char title[64] = {};
    ::GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, standin::kTaskWindowTitle);
    RECT rect;
    ::GetWindowRect(window, &rect);
    EXPECT_GT(testsupport::ShootScreen(rect, testsupport::ScreenshotFolder("screenshots") +
                                                 "\\host_task_window.png"),
              2u);

    ASSERT_TRUE(HostStandIn::ClickEndTask());
    EXPECT_EQ(listener.WaitFor(1), (std::vector<CNotifyListener::Notification>{{0, 0}}));
    EXPECT_EQ(HostStandIn::TaskWindow(), nullptr);
    EXPECT_FALSE(HostStandIn::ClickEndTask());

    // The next task shows the window again.
    EXPECT_EQ(Invoke(driver_, standin::kOpenTask, VT_I2, {kF, kF, kT}).Get()->iVal, 1);
    EXPECT_NE(HostStandIn::TaskWindow(), nullptr);
    EXPECT_TRUE(Call(standin::kEndTask));
    EXPECT_EQ(listener.WaitFor(2).size(), 2u);
    EXPECT_EQ(HostStandIn::TaskWindow(), nullptr);
}

TEST_F(HostStandInTest, ServerStaysWhileItsTaskIsOpen) {
    Connect();
    EXPECT_EQ(Invoke(driver_, standin::kOpenTask, VT_I2, {kF, kF, kT}).Get()->iVal, 1);
    driver_.ReleaseDispatch();
    // Released, but the task is open: the process waits for its user.
    ASSERT_EQ(host_.ServerProcesses().size(), 1u);
    EXPECT_FALSE(host_.WaitForServersToExit(0));
    EXPECT_NE(HostStandIn::TaskWindow(), nullptr);
    ASSERT_TRUE(HostStandIn::ClickEndTask());
    EXPECT_TRUE(host_.WaitForServersToExit());
    EXPECT_TRUE(host_.ServerProcesses().empty());
}

// ---- the side channel ----

TEST_F(HostStandInTest, SideChannelValuesAreReadAtEachOpen) {
    const char kSdk[] = "Software\\Orvo\\Vesko\\Sdk";
    auto dword = [](DWORD value) {
        return std::string(reinterpret_cast<const char *>(&value), sizeof value);
    };
    const struct {
        const char *name;
        std::vector<std::pair<std::string, DWORD>> numbers;
        const char *drive;  // nullptr: not planted
        testsupport::HostSideChannel expected;
    } kCases[] = {
        {"nothing planted", {}, nullptr, {std::nullopt, std::nullopt, std::nullopt}},
        {"a launch with RunOption 0",
         {{"FromVesko", 1}, {"VeskoLaunchApp", 1}},
         "E:",
         {1, 1, std::string("E:")}},
        {"only FromVesko", {{"FromVesko", 1}}, nullptr, {1, std::nullopt, std::nullopt}},
        {"after a launch",
         {{"FromVesko", 0}, {"VeskoLaunchApp", 0}},
         nullptr,
         {0, 0, std::nullopt}},
    };
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.name);
        testsupport::RegistrySandbox sandbox;
        ASSERT_TRUE(sandbox.Ready());
        for (const auto &[name, value] : c.numbers)
            ASSERT_TRUE(sandbox.SetRaw(kSdk, name, REG_DWORD, dword(value)));
        if (c.drive) {
            ASSERT_TRUE(sandbox.SetRaw(kSdk, "PCCardDrive", REG_SZ, std::string(c.drive) + '\0'));
        }
        // The sandbox stands in for HKEY_CURRENT_USER here only: the server
        // must be pointed at where it really is.
        host_.SetSideChannelKey(kSdk);
        EXPECT_EQ(host_.SideChannelKey().rfind("Software\\SuiteRegistrySandbox-", 0), 0u)
            << host_.SideChannelKey();
        host_.ClearCalls();
        host_.SetAnswers(With([](HostAnswers &a) {
            a.openTask = 0;
            a.openTaskEx = 0;
        }));
        Connect();
        Invoke(driver_, standin::kOpenTask, VT_I2, {kF, kF, kT});
        Invoke(driver_, standin::kOpenTaskEx, VT_I2, {CDispArg::NullString(), kF, kF, kT});
        Call(standin::kEndTask);
        std::vector<HostCall> calls = host_.Calls();
        ASSERT_EQ(calls.size(), 3u) << Dump(calls);
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(calls[i].sideChannel.has_value()) << Dump(calls);
            EXPECT_TRUE(*calls[i].sideChannel == c.expected) << Dump(calls);
        }
        EXPECT_FALSE(calls[2].sideChannel.has_value());
        driver_.ReleaseDispatch();
        ASSERT_TRUE(host_.WaitForServersToExit());
    }
}

// ---- registration ----

TEST_F(HostStandInTest, RegistersBySwitchAndByRegFile) {
    const struct {
        const char *name;
        bool (*registerServer)();
    } kWays[] = {
        {"-RegServer", &HostStandIn::Register},
        {"regedit with the .reg file", &HostStandIn::RegisterFromFile},
    };
    for (const auto &way : kWays) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(HostStandIn::Unregister());
        EXPECT_FALSE(HostStandIn::IsRegistered());
        HRESULT status = S_OK;
        EXPECT_FALSE(driver_.CreateDispatch(standin::kProgId, &status));
        EXPECT_TRUE(FAILED(status));

        ASSERT_TRUE(way.registerServer());
        EXPECT_TRUE(HostStandIn::IsRegistered());
        Connect();
        EXPECT_TRUE(Call(standin::kEndTask));
        driver_.ReleaseDispatch();
        ASSERT_TRUE(host_.WaitForServersToExit());
    }
}

// ---- the control object's own clean-up ----

TEST(HostStandInControl, EndsAServerLeftWithAnOpenTask) {
    fw::COleInit ole;
    ASSERT_TRUE(ole.Succeeded());
    DWORD process = 0;
    {
        HostStandIn host;
        REQUIRE_PREREQUISITE(host.Ready(), "the stand-in host: " + host.Problem());
        fw::CDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch(standin::kProgId));
        EXPECT_EQ(Invoke(driver, standin::kOpenTask, VT_I2, {kF, kF, kT}).Get()->iVal, 1);
        driver.ReleaseDispatch();
        ASSERT_EQ(host.ServerProcesses().size(), 1u);
        process = host.ServerProcesses().front();
    }
    const platform::UniqueKernel handle(::OpenProcess(SYNCHRONIZE, FALSE, process));
    if (handle) {
        EXPECT_EQ(::WaitForSingleObject(handle.Get(), 0), WAIT_OBJECT_0);
    }
    EXPECT_EQ(HostStandIn::TaskWindow(), nullptr);
    EXPECT_FALSE(HostStandIn::IsRegistered());
}

// A server that COM started for a client which then went away has a class
// registration that nobody took. Ended by force, it would leave that
// registration behind, and the next client would be told "class not
// registered" (0x80040154); the control object ends it in order instead.
TEST(HostStandInControl, EndsAServerThatNoClientTookSoTheNextClientConnects) {
    fw::COleInit ole;
    ASSERT_TRUE(ole.Succeeded());
    {
        HostStandIn host;
        REQUIRE_PREREQUISITE(host.Ready(), "the stand-in host: " + host.Problem());
        // Started as COM starts it, with no client waiting for its object.
        std::string command = "\"" + HostStandIn::ServerPath() + "\" -Embedding";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION server = {};
        ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &server));
        const platform::UniqueKernel thread(server.hThread);
        const platform::UniqueKernel process(server.hProcess);
        // Idle in its message loop: its class is registered by then.
        EXPECT_EQ(::WaitForInputIdle(process.Get(), 10000), 0u);
        EXPECT_EQ(host.ServerProcesses(), std::vector<DWORD>{server.dwProcessId});
    }
    HostStandIn host;
    REQUIRE_PREREQUISITE(host.Ready(), "the stand-in host: " + host.Problem());
    fw::CDispatchDriver driver;
    HRESULT status = S_OK;
    EXPECT_TRUE(driver.CreateDispatch(standin::kProgId, &status)) << "status 0x" << std::hex
                                                                   << status;
    driver.ReleaseDispatch();
    EXPECT_TRUE(host.WaitForServersToExit());
}

}  // namespace
}  // namespace standin_test
