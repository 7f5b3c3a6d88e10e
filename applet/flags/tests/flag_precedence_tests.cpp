// The flag table and the precedence of the three layers, over sources held in
// memory (the platform's are tested under Wine).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "feature_flags.h"

using namespace applet;

namespace vesko_test {
namespace {

namespace {
class TableSources : public FeatureFlagSources {
public:
    std::map<unsigned, std::string> strings;
    std::map<std::string, int> profile;  // section "Install"
    std::map<std::string, int32_t> install;

    std::string ResourceText(unsigned id) const override {
        return Find(strings, id, std::string());
    }
    int ProfileInt(const std::string &section, const std::string &entry, int dflt) const override {
        return section == "Install" ? Find(profile, entry, dflt) : dflt;
    }
    int32_t InstallNumber(const std::string &name, int32_t dflt) const override {
        return Find(install, name, dflt);
    }

private:
    template <class Map, class Key, class Value>
    static Value Find(const Map &map, const Key &key, Value dflt) {
        auto it = map.find(key);
        return it == map.end() ? dflt : it->second;
    }
};

FeatureFlags Loaded(const TableSources &sources) {
    FeatureFlags flags;
    LoadFeatureDefaults(sources, flags);
    LoadFeatureFlags(sources, flags);
    return flags;
}
}  // namespace

TEST(FeatureFlagTable, EveryMemberHasOneNameAndSevenHaveDefaults) {
    std::set<std::string> names;
    std::map<std::string, unsigned> defaults;
    for (std::size_t i = 0; i < FeatureFlagCount(); ++i) {
        const FeatureFlagInfo &info = FeatureFlagTable()[i];
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        if (info.defaultString)
            defaults[info.name] = info.defaultString;
        // Turning this one on by name must leave every other flag off.
        TableSources sources;
        sources.install[info.name] = 1;
        const FeatureFlags flags = Loaded(sources);
        for (std::size_t j = 0; j < FeatureFlagCount(); ++j)
            EXPECT_EQ(flags.*FeatureFlagTable()[j].flag, i == j) << info.name;
    }
    EXPECT_EQ(names.size(), sizeof(FeatureFlags) / sizeof(int32_t));
    const std::map<std::string, unsigned> expected = {
        {"autodownload", 964}, {"audio", 970},     {"cameradirect", 930}, {"cameraserial", 931},
        {"toshibamode", 993},  {"flashpath", 991}, {"cesync", 277}};
    EXPECT_EQ(defaults, expected);
}

TEST(FeatureFlagPrecedence, RegistryThenProfileThenResourceText) {
    const int kNone = -1;  // layer absent
    const struct {
        const char *text;
        int profile;
        int registry;
        int on;
    } cases[] = {{"true", kNone, kNone, 1},  {"TRUE", kNone, kNone, 1},  {"tRuE", kNone, kNone, 1},
                 {" true", kNone, kNone, 0}, {"true ", kNone, kNone, 0}, {"yes", kNone, kNone, 0},
                 {nullptr, kNone, kNone, 0}, {"TRUE", 0, kNone, 0},      {"no", 1, kNone, 1},
                 {"true", 2, kNone, 1},      {"true", 1, 0, 0},          {nullptr, 0, 1, 1},
                 {"true", kNone, 2, 1},      {nullptr, kNone, 2, 0},     {"true", kNone, 0x100, 1}};
    for (const auto &c : cases) {
        TableSources sources;
        if (c.text)
            sources.strings[930] = c.text;
        if (c.profile != kNone)
            sources.profile["930"] = c.profile;
        if (c.registry != kNone)
            sources.install["cameradirect"] = c.registry;
        EXPECT_EQ(Loaded(sources).cameradirect, c.on)
            << (c.text ? c.text : "(none)") << " / " << c.profile << " / " << c.registry;
    }
}

TEST(FeatureFlagPrecedence, FlagWithoutDefaultOnlyFromRegistryOne) {
    TableSources sources;
    sources.strings = {{0, "true"}};
    sources.profile = {{"0", 1}};
    EXPECT_EQ(Loaded(sources).twain, 0);
    sources.install = {{"twain", 1}};
    EXPECT_EQ(Loaded(sources).twain, 1);
    int32_t flag = 1;
    sources.install = {{"twain", 5}};
    EXPECT_EQ(ReadFeatureFlag(sources, "twain", flag), 5);
    EXPECT_EQ(ReadFeatureFlag(sources, "absent", flag), -1);
    EXPECT_EQ(flag, 1);
}

}  // namespace
}  // namespace vesko_test
