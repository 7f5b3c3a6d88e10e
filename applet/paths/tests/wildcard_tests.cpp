// The "*", "#", "?" pattern language.
#include <gtest/gtest.h>

#include <string>

#include "wildcard.h"

using namespace applet;

namespace vesko_test {
namespace {

namespace {
struct MatchCase {
    const char *pattern, *name;
    bool matches;
};

void ExpectAll(std::initializer_list<MatchCase> cases) {
    for (const MatchCase &c : cases)
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
}
}  // namespace

TEST(MatchWildcardTest, LiteralsHashAndQuestionMark) {
    ExpectAll({{"D:\\DCIM\\100.JPG", "d:\\dcim\\100.jpg", true},
               {"abc", "ab", false},
               {"ab", "abc", false},
               {"", "", true},
               {"", "a", false},
               {"D:\\DCIM\\##?.JPG", "d:\\dcim\\12a.jpg", true},
               {"D:\\DCIM\\##?.JPG", "d:\\dcim\\1xa.jpg", false},
               {"#", "0", true},
               {"#", "9", true},
               {"#", "/", false},
               {"#", ":", false},
               {"#", "", false},
               {"a?c", "a.c", true},
               {"a?c", "ac", false},
               {"a?c", "abbc", false}});
}

TEST(MatchWildcardTest, StarMatchesRunsButNeverAtTheEndOfTheName) {
    ExpectAll({{"a*b", "ab", true},
               {"a*b", "axxb", true},
               {"a*b", "axxc", false},
               {"*.jpg", "IMG_0001.JPG", true},
               {"*.jpg", "IMG_0001.JPEG", false},
               {"*b", "abab", true},
               {"a*b*c", "a-b-b-c", true},
               {"ab*", "abc", true},
               {"ab*", "ab", false},
               {"*", "", false},
               {"*", "x", true},
               {"a**", "a", false},
               {"a**", "ab", true},
               {"*", ".", true},
               {"*.*", ".", false},
               {"*.*", "..", true}});
}

TEST(MatchWildcardTest, ManyStarsOnALongNameFinishAndStayCorrect) {
    const std::string name(300, 'a');
    EXPECT_FALSE(MatchWildcard("*a*a*a*a*a*a*a*a*a*a*a*a*b", name));
    EXPECT_TRUE(MatchWildcard("*a*a*a*a*a*a*a*a*a*a*a*a*", name));
}

}  // namespace
}  // namespace vesko_test
