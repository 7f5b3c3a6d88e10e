// The two code-page conversions, in code pages chosen by the test so that the
// prefix's own system code page does not matter.
#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace platform_test {
namespace {

struct Sample {
    UINT codePage;
    std::string bytes;
    std::wstring wide;
};

TEST(CodePage, TextRoundTripsInEveryCodePageRange) {
    const Sample kSamples[] = {
        {1252, "caf\xe9 \xc9t\xe9", L"caf\u00e9 \u00c9t\u00e9"},
        {1252, "\x80 \x9f", L"\u20ac \u0178"},
        {1251, "\xcf\xf0\xe8\xe2\xe5\xf2", L"\u041f\u0440\u0438\u0432\u0435\u0442"},
        {1253, "\xe1\xe2\xe3", L"\u03b1\u03b2\u03b3"},
        {932, "\x93\xfa\x96\x7b", L"\u65e5\u672c"},
        {CP_UTF8, "caf\xc3\xa9 \xe2\x82\xac", L"caf\u00e9 \u20ac"},
        {1252, std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const Sample &s : kSamples) {
        SCOPED_TRACE(s.codePage);
        ASSERT_TRUE(::IsValidCodePage(s.codePage)) << "Wine ships every one of these";
        EXPECT_EQ(platform::CodePageToWide(s.bytes, s.codePage), s.wide);
        EXPECT_EQ(platform::WideToCodePage(s.wide, s.codePage), s.bytes);
    }
}

TEST(CodePage, EmptyAndNullTextGiveEmptyText) {
    EXPECT_EQ(platform::CodePageToWide(""), L"");
    EXPECT_EQ(platform::WideToCodePage(std::wstring()), "");
    EXPECT_EQ(platform::WideToCodePage({nullptr, 0}), "") << "a null BSTR";
    EXPECT_EQ(platform::WideToCodePage({L"abc", 2}, 1252), "ab") << "only the counted units";
    EXPECT_EQ(platform::CodePageToWide("plain"), L"plain") << "ASCII in the system code page";
}

}  // namespace
}  // namespace platform_test
