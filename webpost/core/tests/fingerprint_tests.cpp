// Certificate fingerprints in the spellings people paste, shown one way.
#include <gtest/gtest.h>

#include <string>

#include "fingerprint.h"

namespace webpost_test {
namespace {

using namespace webpost;

TEST(FingerprintTest, FingerprintsInAnySpellingRoundTrip) {
    const std::string canonical =
        "01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:"
        "AB:CD:EF";
    for (const std::string &spelling :
         {canonical,
          std::string("0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef"),
          std::string("01 23 45 67 89 ab cd ef 01 23 45 67 89 ab cd ef 01 23 45 67 89 ab cd ef "
                      "01 23 45 67 89 ab cd ef")}) {
        std::optional<std::vector<std::uint8_t>> parsed = ParseFingerprint(spelling);
        ASSERT_TRUE(parsed.has_value()) << spelling;
        EXPECT_EQ(FormatFingerprint(*parsed), canonical);
    }
    EXPECT_FALSE(ParseFingerprint("0123").has_value());
    EXPECT_FALSE(ParseFingerprint(std::string(64, 'g')).has_value());
    EXPECT_FALSE(ParseFingerprint("").has_value());
}

}  // namespace
}  // namespace webpost_test
