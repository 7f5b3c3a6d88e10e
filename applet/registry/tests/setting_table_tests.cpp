// Vesko's setting table against a private HKEY_CURRENT_USER of Wine's
// registry, through the settings store as the program reads it: every row
// finds its own value (the right subkey and name), and reads a missing one as
// the default its reader relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "applet_test_app.h"
#include "feature_flags.h"
#include "registry_sandbox.h"
#include "setting_reads.h"
#include "settings_store.h"

namespace vesko_test {
namespace {

using applet::kSettingTable;
using applet::Setting;
using applet::SettingId;
using applet::SettingRow;
using applet::SettingType;

class SettingTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_NE(testsupport::AppletResources(), nullptr);
    }
    void TearDown() override { applet::AppFeatureFlags().autodownload = 0; }

    testsupport::RegistrySandbox sandbox_;
};

TEST_F(SettingTableTest, EachRowReadsItsOwnValue) {
    // A number and a text of its own for every stored value; rows that share
    // a value share what was planted.
    std::map<std::pair<std::string, std::string>, int32_t> planted;
    for (const SettingRow &row : kSettingTable) {
        const auto where = std::make_pair(std::string(row.subkey), std::string(row.name));
        if (planted.count(where))
            continue;
        const int32_t number = 100 + static_cast<int32_t>(planted.size());
        planted[where] = number;
        if (row.type == SettingType::Number)
            ASSERT_TRUE(settings::WriteRegDword(row.subkey, row.name, number));
        else
            ASSERT_TRUE(settings::WriteRegString(row.subkey, row.name,
                                                 "planted " + std::to_string(number)));
    }
    for (const SettingRow &row : kSettingTable) {
        SCOPED_TRACE(std::string(row.subkey) + "\\" + row.name);
        const int32_t number = planted[{row.subkey, row.name}];
        if (row.type == SettingType::Number)
            EXPECT_EQ(applet::ReadNumberSetting(row.id), number);
        else
            EXPECT_EQ(applet::ReadTextSetting(row.id), "planted " + std::to_string(number));
    }
}

TEST_F(SettingTableTest, MissingValuesReadAsTheirReadersDefaults) {
    const struct {
        SettingId id;
        int32_t autodownloadFlag;
        int32_t number;    // for a number setting
        const char *text;  // for a text setting
    } kCases[] = {
        {SettingId::EnableVeskoInTaskbar, 0, 0, nullptr},
        {SettingId::ConnectVia, 0, 0, nullptr},
        {SettingId::ShowStartup, 0, 1, nullptr},
        {SettingId::EnableAutoRunAtArrival, 0, 1, nullptr},
        {SettingId::EnableAutoRunInOptions, 0, 0, nullptr},
        {SettingId::RunOptionAtLaunch, 0, 0, nullptr},
        {SettingId::RunOptionInOptions, 0, 1, nullptr},
        {SettingId::AutoDownloadAtLaunch, 1, 0, nullptr},
        {SettingId::AutoDownloadInOptions, 0, 0, nullptr},
        {SettingId::AutoDownloadInOptions, 1, 1, nullptr},
        {SettingId::AutoDownloadInOptions, 2, 1, nullptr},
        {SettingId::LastTwainDev, 0, 0, ""},
        {SettingId::DownloadFolder, 0, 0, ""},
        // The resource library's strings.
        {SettingId::PCCardPath, 0, 0, "DCIM"},
        {SettingId::PCCardFile, 0, 0, "DCIM\\###*"},
    };
    std::set<SettingId> covered;
    for (const auto &c : kCases) {
        const SettingRow &row = Setting(c.id);
        SCOPED_TRACE(std::string(row.subkey) + "\\" + row.name + " with autodownload " +
                     std::to_string(c.autodownloadFlag));
        covered.insert(c.id);
        applet::AppFeatureFlags().autodownload = c.autodownloadFlag;
        // Another value of the same subkey must not stand in for this one.
        ASSERT_TRUE(settings::WriteRegDword(row.subkey, "Unrelated", 7));
        if (row.type == SettingType::Number) {
            EXPECT_EQ(applet::ReadNumberSetting(c.id), c.number);
        } else {
            ASSERT_NE(c.text, nullptr);
            EXPECT_EQ(applet::ReadTextSetting(c.id), c.text);
        }
    }
    EXPECT_EQ(covered.size(), static_cast<size_t>(SettingId::Count)) << "a row without a case";
}

}  // namespace
}  // namespace vesko_test
