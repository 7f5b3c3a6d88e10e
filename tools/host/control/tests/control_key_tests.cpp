// The control key as both sides use it: answers written by the tests come
// back to the server unchanged, a value that is missing reads as the default
// of a host that accepts everything, and log lines come back in the order
// they were appended. In a private HKEY_CURRENT_USER of Wine's registry.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "control_key.h"
#include "registry_sandbox.h"
#include "standin_protocol.h"

namespace standin_test {
namespace {

using platform::RegistryKey;
using standin::Answers;

auto Fields(const Answers &a) {
    return std::tie(a.openTask, a.openTaskEx, a.endTask, a.setNotifyWindow, a.resultType,
                    a.exceptionMethod, a.exceptionSource, a.exceptionDescription, a.exceptionScode,
                    a.exceptionCode, a.cameraWork);
}

class ControlKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        control_ = RegistryKey::Create(HKEY_CURRENT_USER, standin::kControlKey);
        ASSERT_TRUE(control_);
    }

    testsupport::RegistrySandbox sandbox_;
    RegistryKey control_;
};

TEST_F(ControlKeyTest, AnswersComeBackAsWritten) {
    const struct {
        const char *name;
        Answers answers;
    } kCases[] = {
        {"a host that accepts everything", Answers()},
        {"a host that refuses everything",
         [] {
             Answers a;
             a.openTask = 0;
             a.openTaskEx = -1;  // a short below zero survives the 32-bit store
             a.endTask = false;
             a.setNotifyWindow = false;
             return a;
         }()},
        {"a host that does the camera work",
         [] {
             Answers a;
             a.cameraWork = true;
             return a;
         }()},
        {"an exception with its report",
         [] {
             Answers a;
             a.resultType = 8;  // VT_BSTR
             a.exceptionMethod = standin::kOpenTaskEx;
             a.exceptionSource = "Source\twith tab";
             a.exceptionDescription = "";
             a.exceptionScode = static_cast<long>(0x80020009);
             a.exceptionCode = 0xFFFF;
             return a;
         }()},
    };
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.name);
        standin::WriteAnswers(control_, c.answers);
        EXPECT_EQ(Fields(standin::ReadAnswers(control_)), Fields(c.answers));
    }
}

TEST_F(ControlKeyTest, MissingAnswersReadAsTheirDefaults) {
    // A host that accepts everything and, unscripted, does its camera work.
    Answers defaults;
    defaults.cameraWork = true;
    EXPECT_EQ(Fields(standin::ReadAnswers(control_)), Fields(defaults));
    EXPECT_EQ(Fields(standin::ReadAnswers(RegistryKey())), Fields(defaults));

    // One value set leaves every other at its default.
    ASSERT_TRUE(control_.WriteDword(standin::kEndTaskAnswer, 0));
    Answers expected = defaults;
    expected.endTask = false;
    EXPECT_EQ(Fields(standin::ReadAnswers(control_)), Fields(expected));
}

TEST_F(ControlKeyTest, LogLinesComeBackInTheirOrder) {
    EXPECT_TRUE(standin::ReadLogLines(control_).empty());
    const std::vector<std::string> kLines = {"38\tOpenTask\t00000000\t12\t-", "", "second\\n"};
    for (const std::string &line : kLines)
        ASSERT_TRUE(standin::AppendLogLine(control_, line));
    EXPECT_EQ(standin::ReadLogLines(control_), kLines);
    EXPECT_EQ(sandbox_.ValueCount(std::string(standin::kControlKey) + "\\" + standin::kLogSubkey),
              kLines.size());
}

}  // namespace
}  // namespace standin_test
