// Album names from the runtime's real locale data, for several user locales.
#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>

#include "date_album_name.h"
#include "date_album_name_win.h"

using namespace applet;

namespace {
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
  void UseLocale(const char* name) {
    if (!std::setlocale(LC_ALL, name)) GTEST_SKIP() << "locale " << name << " not available";
  }
  std::string saved_;
  std::tm when_{};
};
}  // namespace

TEST_F(DateAlbumLocaleTest, LongDateLosesExactlyItsWeekday) {
  UseLocale("English_United States.1252");
  const std::string us = FormatDateAlbumName(when_, 1033);
  EXPECT_EQ(FormatTime("%#x", when_), "Sunday, " + us);
  EXPECT_NE(us.find("December"), std::string::npos);
  UseLocale("French_France.1252");
  const std::string fr = FormatDateAlbumName(when_, 1036);
  EXPECT_EQ(FormatTime("%#x", when_), FormatTime("%A", when_) + " " + fr);
}

TEST_F(DateAlbumLocaleTest, JapaneseSystemUsesDigitsJapaneseLocaleAloneCutsTheWeekday) {
  UseLocale("Japanese_Japan.932");
  EXPECT_EQ(FormatDateAlbumName(when_, kJapaneseLangId), "2026 12 06");
  const std::string weekday = FormatTime("%A", when_);
  const std::string longDate = FormatTime("%#x", when_);
  ASSERT_NE(longDate.find(weekday), std::string::npos);
  const std::string name = FormatDateAlbumName(when_, 1033);
  EXPECT_EQ(name.find(weekday), std::string::npos);
  EXPECT_EQ(name.rfind("2026", 0), 0u);
}

TEST_F(DateAlbumLocaleTest, TodaysNameHasNoWeekdayAndHoldsTheYear) {
  UseLocale("English_United States.1252");
  const std::time_t now = std::time(nullptr);
  const std::tm today = *std::localtime(&now);
  const std::string name = GetDateAlbumName();
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name.find(FormatTime("%A", today)), std::string::npos);
  EXPECT_NE(name.find(FormatTime("%Y", today)), std::string::npos);
}
