// Cutting the weekday out of a long date, and the digits-only form.
#include <gtest/gtest.h>

#include <ctime>

#include "date_album_name.h"

using namespace applet;

namespace vesko_test {
namespace {

TEST(DateAlbumNameTest, WeekdayCommaAndFollowingBlanksAreCut) {
    const struct {
        const char *date, *weekday, *name;
    } cases[] = {{"Sunday, December 06, 2026", "Sunday", "December 06, 2026"},
                 {"dimanche 6 d\xE9"
                  "cembre 2026",
                  "dimanche",
                  "6 d\xE9"
                  "cembre 2026"},
                 {"6 December 2026 Sunday", "Sunday", "6 December 2026"},
                 {"2026-12-06 Sunday, noon", "Sunday", "2026-12-06 noon"},
                 {"Sunday Sunday", "Sunday", "Sunday"},
                 {"  2026 12 06 ", "Sunday", "2026 12 06"},
                 {"sunday, x", "Sunday", "sunday, x"},
                 {"December 06, 2026", "", "December 06, 2026"},
                 {"Sunday", "Sunday", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(RemoveWeekday(c.date, c.weekday), c.name) << c.date;
}

TEST(DateAlbumNameTest, JapaneseSystemGivesYearMonthDay) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 6;
    EXPECT_EQ(FormatDateAlbumName(when, kJapaneseLangId), "2026 12 06");
    EXPECT_STREQ(DateAlbumFormat(1033), "%#x");
    const std::string filler(1000, 'x');  // longer than any first buffer
    EXPECT_EQ(FormatTime((filler + "%Y").c_str(), when), filler + "2026");
}

}  // namespace
}  // namespace vesko_test
