// Test support for GoogleTest: tests whose prerequisite is missing, that is
// something the environment must provide rather than the code under test (a
// drive from Wine's mount manager, a locale, the system code page). In an
// ordinary run such a test is skipped and says what it lacked. A full CI run
// (environment variable CI set to anything non-empty) has every prerequisite
// installed, so there the same test fails instead of passing unnoticed.
//
//     REQUIRE_PREREQUISITE(scratch.Ready(), "drive Q: from Wine's mount manager");
//
// Like GTEST_SKIP and ASSERT_*, the macro returns from the function it is
// written in when the prerequisite is missing: use it in a test body or in
// SetUp, not in a helper whose caller would carry on. `what` is evaluated
// only then.
#pragma once
#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// True when the environment variable CI is set and not empty.
bool EveryPrerequisiteRequired();

// The report of a missing prerequisite, for a skip or (`required`) a failure.
std::string MissingPrerequisite(const std::string &what, bool required);

}  // namespace testsupport

#define REQUIRE_PREREQUISITE(available, what)                                                      \
    do {                                                                                           \
        if (!(available)) {                                                                        \
            if (::testsupport::EveryPrerequisiteRequired()) {                                      \
                GTEST_FAIL() << ::testsupport::MissingPrerequisite((what), true);                  \
            } else {                                                                               \
                GTEST_SKIP() << ::testsupport::MissingPrerequisite((what), false);                 \
            }                                                                                      \
        }                                                                                          \
    } while (false)
