// Album names from the runtime's real locale data, for several user locales.
#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>

#include "date_album_name.h"
#include "date_album_name_win.h"
#include "prerequisite.h"

using namespace applet;

namespace vesko_test {
namespace {

namespace {
const char kUnitedStates[] = "English_United States.1252";
const char kFrance[] = "French_France.1252";
const char kJapan[] = "Japanese_Japan.932";

// Wine's C runtime knows all three: a full run has them.
std::string LocaleNeeded(const char *name) {
    return std::string("C runtime locale ") + name;
}

class DateAlbumLocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        when_.tm_year = 2026 - 1900;
        when_.tm_mon = 11;
        when_.tm_mday = 6;
        when_.tm_wday = 0;  // a Sunday
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }
    // Switches the runtime to `name`; false when it does not know that locale.
    static bool UseLocale(const char *name) { return std::setlocale(LC_ALL, name) != nullptr; }
    std::string saved_;
    std::tm when_{};
};
}  // namespace

TEST_F(DateAlbumLocaleTest, LongDateLosesExactlyItsWeekday) {
    REQUIRE_PREREQUISITE(UseLocale(kUnitedStates), LocaleNeeded(kUnitedStates));
    const std::string us = FormatDateAlbumName(when_, 1033);
    EXPECT_EQ(FormatTime("%#x", when_), "Sunday, " + us);
    EXPECT_NE(us.find("December"), std::string::npos);
    REQUIRE_PREREQUISITE(UseLocale(kFrance), LocaleNeeded(kFrance));
    const std::string fr = FormatDateAlbumName(when_, 1036);
    EXPECT_EQ(FormatTime("%#x", when_), FormatTime("%A", when_) + " " + fr);
}

TEST_F(DateAlbumLocaleTest, JapaneseSystemUsesDigitsJapaneseLocaleAloneCutsTheWeekday) {
    REQUIRE_PREREQUISITE(UseLocale(kJapan), LocaleNeeded(kJapan));
    EXPECT_EQ(FormatDateAlbumName(when_, kJapaneseLangId), "2026 12 06");
    const std::string weekday = FormatTime("%A", when_);
    const std::string longDate = FormatTime("%#x", when_);
    ASSERT_NE(longDate.find(weekday), std::string::npos);
    const std::string name = FormatDateAlbumName(when_, 1033);
    EXPECT_EQ(name.find(weekday), std::string::npos);
    EXPECT_EQ(name.rfind("2026", 0), 0u);
}

TEST_F(DateAlbumLocaleTest, TodaysNameHasNoWeekdayAndHoldsTheYear) {
    REQUIRE_PREREQUISITE(UseLocale(kUnitedStates), LocaleNeeded(kUnitedStates));
    const std::time_t now = std::time(nullptr);
    const std::tm today = *std::localtime(&now);
    const std::string name = GetDateAlbumName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find(FormatTime("%A", today)), std::string::npos);
    EXPECT_NE(name.find(FormatTime("%Y", today)), std::string::npos);
}

}  // namespace
}  // namespace vesko_test
