// The prerequisite check: a missing prerequisite skips the test in an
// ordinary run and fails it in a full CI run; one that is there lets the test
// go on untouched.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "prerequisite.h"

namespace fw_test {

using namespace ::testsupport;

namespace {

// Sets or removes CI for one case and puts the earlier value back.
class ScopedCi {
public:
    explicit ScopedCi(const char *value) {
        if (const char *earlier = std::getenv("CI"))
            earlier_ = earlier;
        Set(value);
    }
    ~ScopedCi() { Set(earlier_ ? earlier_->c_str() : nullptr); }
    ScopedCi(const ScopedCi &) = delete;
    ScopedCi &operator=(const ScopedCi &) = delete;

private:
    static void Set(const char *value) {
#ifdef _WIN32
        _putenv_s("CI", value ? value : "");
#else
        if (value)
            setenv("CI", value, 1);
        else
            unsetenv("CI");
#endif
    }

    std::optional<std::string> earlier_;
};

// Runs the check as a test body would, noting whether the body went on.
void GuardedBody(bool available, bool &wentOn) {
    REQUIRE_PREREQUISITE(available, "the test drive");
    wentOn = true;
}

enum class Outcome { WentOn, Skipped, Failed };

struct PrerequisiteCase {
    const char *name;  // what the case is called in the test list
    const char *ci;    // nullptr: not set
    bool available;
    Outcome outcome;
};

void PrintTo(const PrerequisiteCase &c, std::ostream *out) {
    *out << c.name;
}

class PrerequisiteTest : public ::testing::TestWithParam<PrerequisiteCase> {};

TEST_P(PrerequisiteTest, MissingOneSkipsOrFailsAsTheRunDemands) {
    const PrerequisiteCase &c = GetParam();
    ::testing::TestPartResultArray results;
    bool wentOn = false;
    {
        ScopedCi ci(c.ci);
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        GuardedBody(c.available, wentOn);
    }
    EXPECT_EQ(wentOn, c.outcome == Outcome::WentOn);
    if (c.outcome == Outcome::WentOn) {
        EXPECT_EQ(results.size(), 0);
        return;
    }
    ASSERT_EQ(results.size(), 1);
    const ::testing::TestPartResult &result = results.GetTestPartResult(0);
    EXPECT_EQ(result.type(), c.outcome == Outcome::Skipped
                                 ? ::testing::TestPartResult::kSkip
                                 : ::testing::TestPartResult::kFatalFailure);
    EXPECT_NE(std::string(result.message()).find("missing prerequisite: the test drive"),
              std::string::npos)
        << result.message();
}

const PrerequisiteCase kCases[] = {
    {"MissingWithoutCi", nullptr, false, Outcome::Skipped},
    {"MissingWithEmptyCi", "", false, Outcome::Skipped},
    {"MissingInCi", "true", false, Outcome::Failed},
    {"MissingInCiSetToOne", "1", false, Outcome::Failed},
    {"PresentWithoutCi", nullptr, true, Outcome::WentOn},
    {"PresentInCi", "true", true, Outcome::WentOn},
};

INSTANTIATE_TEST_SUITE_P(Runs, PrerequisiteTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace fw_test
