// Every code WpPostA returns has a sentence of its own; the last failure's
// cause is added to the text of its own code only.
#include <gtest/gtest.h>

#include <set>

#include "error_text.h"

namespace webpost_test {
namespace {

using namespace webpost;

const ResultCode kReturnedCodes[] = {
    result::kCancelled,  result::kBufferTooSmall,   result::kInvalidArgument,
    result::kUnknown,    result::kNoProvider,       result::kSiteCorrupt,
    result::kInitFailed, result::kCreateSite,       result::kSiteDoesNotExist,
    result::kPostFiles,  result::kPostInfoRequired, result::kExtendedError,
};

TEST(ErrorTextTest, EachReturnedCodeHasItsOwnSentence) {
    std::set<std::string> seen;
    for (ResultCode code : kReturnedCodes) {
        const std::string sentence = ErrorSentence(code);
        EXPECT_GT(sentence.size(), 10u) << std::hex << code;
        EXPECT_TRUE(seen.insert(sentence).second) << "shared sentence: " << sentence;
    }
}

TEST(ErrorTextTest, CodesWeNeverReturnHaveNoText) {
    for (ResultCode code : {0x12345678u, 0xC0042105u, 0x80004005u})
        EXPECT_EQ(ErrorText(code, code, "cause"), "") << std::hex << code;
}

struct CauseCase {
    ResultCode asked;
    ResultCode last;
    const char *cause;
    bool causeShown;
};

const CauseCase kCauseCases[] = {
    {result::kExtendedError, result::kExtendedError, "PUT /a.html: 409 Conflict", true},
    {result::kExtendedError, result::kPostFiles, "PUT /a.html: 409 Conflict", false},
    {result::kPostFiles, result::kPostFiles, "", false},
    {result::kCancelled, result::kCancelled, "2 of 5 files were posted.", true},
};

TEST(ErrorTextTest, LastCauseFollowsItsOwnCodeOnly) {
    for (const CauseCase &c : kCauseCases) {
        const std::string text = ErrorText(c.asked, c.last, c.cause);
        EXPECT_EQ(text.rfind(ErrorSentence(c.asked), 0), 0u) << text;
        const bool shown = *c.cause && text.find(c.cause) != std::string::npos;
        EXPECT_EQ(shown, c.causeShown) << text;
    }
}

}  // namespace
}  // namespace webpost_test
