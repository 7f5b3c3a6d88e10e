#pragma once
// Every registry value Vesko reads through the settings store, in one table:
// the subkey under the product key, the value's name, and what a missing
// value reads as. Where two readers of one value treat its absence
// differently, the value has a row per reader. The feature flags' Install
// values are read through the flag table (feature_flags.h) instead: their
// names and defaults come from there. Portable: plain text and numbers.
#include <cstddef>
#include <cstdint>

#include "platform/setting_rows.h"

#include "tolvarc_ids.h"

namespace applet {

enum class SettingType { Text, Number };

enum class SettingId {
    EnableVeskoInTaskbar,
    ConnectVia,
    ShowStartup,
    EnableAutoRunAtArrival,
    EnableAutoRunInOptions,
    RunOptionAtLaunch,
    RunOptionInOptions,
    AutoDownloadAtLaunch,
    AutoDownloadInOptions,
    LastTwainDev,
    DownloadFolder,
    PCCardPath,
    PCCardFile,
    Count
};

struct SettingRow {
    SettingId id;
    const char *subkey;
    const char *name;
    SettingType type;
    // What a missing value reads as: a text, or the resource library's string
    // with this identifier when it is not 0; a number, or the feature flag of
    // this name when it is not null.
    const char *defaultText;
    unsigned defaultTextId;
    int32_t defaultNumber;
    const char *defaultFlag;
};

constexpr char kSdkSubkey[] = "Sdk";
constexpr char kConnectSubkey[] = "Connect";
constexpr char kInstallSubkey[] = "Install";

inline constexpr SettingRow kSettingTable[] = {
    // Read at start-up with the silent switch only: missing, the silent start
    // does not stay.
    {SettingId::EnableVeskoInTaskbar, kSdkSubkey, "EnableVeskoInTaskbar", SettingType::Number,
     nullptr, 0, 0, nullptr},
    {SettingId::ConnectVia, kConnectSubkey, "ConnectVia", SettingType::Number, nullptr, 0, 0,
     nullptr},
    {SettingId::ShowStartup, kSdkSubkey, "ShowStartup", SettingType::Number, nullptr, 0, 1, nullptr},
    // EnableAutoRun has two defaults on purpose: a card arrival acts on a
    // missing value (a fresh install reacts to cards), while the Options
    // dialog shows it unticked until the user saves a choice.
    {SettingId::EnableAutoRunAtArrival, kSdkSubkey, "EnableAutoRun", SettingType::Number, nullptr,
     0, 1, nullptr},
    {SettingId::EnableAutoRunInOptions, kSdkSubkey, "EnableAutoRun", SettingType::Number, nullptr,
     0, 0, nullptr},
    // RunOption too: a launch with the value missing is the camera-only run
    // (it sets VeskoLaunchApp), while the Options dialog offers the full
    // application as the choice to save.
    {SettingId::RunOptionAtLaunch, kSdkSubkey, "RunOption", SettingType::Number, nullptr, 0, 0,
     nullptr},
    {SettingId::RunOptionInOptions, kSdkSubkey, "RunOption", SettingType::Number, nullptr, 0, 1,
     nullptr},
    // AutoDownload: a launch downloads only on a saved yes; the Options
    // dialog proposes what the install's autodownload flag says.
    {SettingId::AutoDownloadAtLaunch, kSdkSubkey, "AutoDownload", SettingType::Number, nullptr, 0,
     0, nullptr},
    {SettingId::AutoDownloadInOptions, kSdkSubkey, "AutoDownload", SettingType::Number, nullptr, 0,
     0, "autodownload"},
    {SettingId::LastTwainDev, kConnectSubkey, "LastTwainDev", SettingType::Text, "", 0, 0, nullptr},
    // The folder the albums are made in.
    {SettingId::DownloadFolder, kInstallSubkey, "Download", SettingType::Text, "", 0, 0, nullptr},
    {SettingId::PCCardPath, kConnectSubkey, "PCCardPath", SettingType::Text, nullptr,
     IDS_DEFAULT_CARD_PATH, 0, nullptr},
    {SettingId::PCCardFile, kConnectSubkey, "PCCardFile", SettingType::Text, nullptr,
     IDS_DEFAULT_CARD_FILE, 0, nullptr},
};

static_assert(platform::RowsInIdOrder(kSettingTable, SettingId::Count),
              "one row per setting, in the order of SettingId");

constexpr const SettingRow &Setting(SettingId id) {
    return platform::RowOf(kSettingTable, id);
}

}  // namespace applet
