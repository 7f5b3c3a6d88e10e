// The setting table read through the settings store in a private registry:
// each row reads its own value where the host leaves it, and a missing value
// (with its subkey there or not) reads as the row's default, which is the
// contract's default.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "fake_script.h"
#include "framework/res_string.h"
#include "publish_settings.h"
#include "registry_sandbox.h"
#include "zephyne_ids.h"

namespace zephyne_test {
namespace {

using namespace zephyne;

const std::string kProductPath = "Software\\Orvo\\Orvo Lumetto";

std::string Dword(int32_t value) {
    return std::string(reinterpret_cast<const char *>(&value), sizeof value);
}

TEST(SettingTable, EachRowReadsItsValueAndAMissingValueReadsAsItsDefault) {
    struct Case {
        SettingId id;
        const char *path;  // under the product key
        const char *name;
        DWORD type;
        std::string planted;   // as stored
        std::string readText;  // what the planted value reads as
        int32_t readNumber;
        std::string defaultText;  // what a missing value reads as
        int32_t defaultNumber;
    } cases[] = {
        {SettingId::SiteName, "Web\\Publish", "SiteName", REG_SZ, std::string("Gallery", 8),
         "Gallery", 0, "", 0},
        {SettingId::LocalDir, "Web\\Publish", "LocalDir", REG_SZ, std::string("C:\\web", 7),
         "C:\\web", 0, "", 0},
        {SettingId::Url, "Web\\Publish", "URL", REG_SZ, std::string("http://h/d", 11), "http://h/d",
         0, "", 0},
        {SettingId::ShowWizard, "Web\\Publish", "ShowWizard", REG_DWORD, Dword(0), "", 0, "", 1},
        {SettingId::HomePage, "Web\\Publish", "HomePage", REG_SZ, std::string("http://h/i", 11),
         "http://h/i", 0, "", 0},
        {SettingId::ComponentsUrl, "Web", "ComponentsURL", REG_SZ, std::string("http://c/", 10),
         "http://c/", 0, fw::LoadResString(IDS_COMPONENTS_URL), 0},
    };
    ASSERT_EQ(std::size(cases), std::size(kSettingTable));
    for (const Case &c : cases) {
        const SettingRow &row = Setting(c.id);
        auto read = [&] {
            return row.type == SettingType::Text ? ReadTextSetting(row)
                                                 : std::to_string(ReadNumberSetting(row));
        };
        const std::string planted =
            row.type == SettingType::Text ? c.readText : std::to_string(c.readNumber);
        const std::string missing =
            row.type == SettingType::Text ? c.defaultText : std::to_string(c.defaultNumber);
        EXPECT_EQ(std::string(row.subkey), c.path) << c.name;
        EXPECT_EQ(std::string(row.name), c.name) << c.name;
        EXPECT_EQ(row.type, c.type == REG_DWORD ? SettingType::Number : SettingType::Text)
            << c.name;
        {
            testsupport::RegistrySandbox sandbox;  // nothing under the product key
            ASSERT_TRUE(sandbox.Ready());
            testsupport::UseZephyneProductKey();
            EXPECT_EQ(read(), missing) << c.name << ", no subkey";
            ASSERT_TRUE(sandbox.SetRaw(kProductPath + "\\" + c.path, c.name, c.type, c.planted));
            EXPECT_EQ(read(), planted) << c.name << ", planted";
            ASSERT_EQ(::RegDeleteKeyValueA(HKEY_CURRENT_USER,
                                           (kProductPath + "\\" + c.path).c_str(), c.name),
                      ERROR_SUCCESS);
            EXPECT_EQ(read(), missing) << c.name << ", subkey without the value";
        }
    }
}

TEST(SettingTable, PublishSettingsFromAnEmptyRegistryAreTheDefaults) {
    testsupport::RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.Ready());
    testsupport::UseZephyneProductKey();
    const PublishSettings s = ReadPublishSettings();
    EXPECT_EQ(s.siteName, "");
    EXPECT_EQ(s.localDir, "");
    EXPECT_EQ(s.url, "");
    EXPECT_EQ(s.showWizard, 1);
    EXPECT_EQ(s.homePage, "");
}

}  // namespace
}  // namespace zephyne_test
