#include "feature_flags.h"

#include <iterator>

#include "tolvarc_ids.h"

namespace applet {

namespace {

#define FLAG(name, number)                                                                         \
    { #name, &FeatureFlags::name, number }
const FeatureFlagInfo kFlags[] = {
    FLAG(autodownload, IDS_FLAG_AUTODOWNLOAD),
    FLAG(agfamode, 0),
    FLAG(audio, IDS_FLAG_AUDIO),
    FLAG(cameradirect, IDS_FLAG_CAMERADIRECT),
    FLAG(cameraserial, IDS_FLAG_CAMERASERIAL),
    FLAG(camerawia, 0),
    FLAG(cameratoolbar, 0),
    FLAG(dragmove, 0),
    FLAG(effects, 0),
    FLAG(epsonmode, 0),
    FLAG(hiddenplugins, 0),
    FLAG(newdownloaddir, 0),
    FLAG(pccard, 0),
    FLAG(plugins, 0),
    FLAG(quicktour, 0),
    FLAG(showourtwain, 0),
    FLAG(thumbnailcompact, 0),
    FLAG(toshibamode, IDS_FLAG_TOSHIBAMODE),
    FLAG(twain, 0),
    FLAG(uploadcamera, 0),
    FLAG(uploadpccard, 0),
    FLAG(enhancedprinting, 0),
    FLAG(flashpath, IDS_FLAG_FLASHPATH),
    FLAG(camcntrldialogs, 0),
    FLAG(twainonly, 0),
    FLAG(ink, 0),
    FLAG(textannotation, 0),
    FLAG(cesync, IDS_FLAG_CESYNC),
    FLAG(stitch, 0),
    FLAG(showcamtype, 0),
    FLAG(pushaware, 0),
    FLAG(stitchtags, 0),
    FLAG(serial230, 0),
    FLAG(albumorder, 0),
    FLAG(movie, 0),
    FLAG(audioonly, 0),
    FLAG(controlscheck, 0),
    FLAG(gotobutton, 0),
    FLAG(techsupportdlg, 0),
};
#undef FLAG

bool IsTrueText(const std::string &text) {
    static const char kTrue[] = "true";
    if (text.size() != sizeof kTrue - 1)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kTrue[i])
            return false;
    }
    return true;
}

}  // namespace

const FeatureFlagInfo *FeatureFlagTable() {
    return kFlags;
}

std::size_t FeatureFlagCount() {
    return std::size(kFlags);
}

int GetFeatureDefault(const FeatureFlagSources &sources, unsigned stringNumber) {
    const int profile =
        sources.ProfileInt(kFeatureProfileSection, std::to_string(stringNumber), -1);
    if (profile == 1)
        return 1;
    if (profile == 0)
        return 0;
    return IsTrueText(sources.ResourceText(stringNumber)) ? 1 : 0;
}

void LoadFeatureDefaults(const FeatureFlagSources &sources, FeatureFlags &flags) {
    for (const FeatureFlagInfo &info : kFlags) {
        if (info.defaultString != 0)
            flags.*info.flag = GetFeatureDefault(sources, info.defaultString);
    }
}

int32_t ReadFeatureFlag(const FeatureFlagSources &sources, const std::string &name, int32_t &flag) {
    const int32_t number = sources.InstallNumber(name, -1);
    if (number == 0 || number == 1)
        flag = number;
    return number;
}

void LoadFeatureFlags(const FeatureFlagSources &sources, FeatureFlags &flags) {
    for (const FeatureFlagInfo &info : kFlags)
        ReadFeatureFlag(sources, info.name, flags.*info.flag);
}

FeatureFlags &AppFeatureFlags() {
    static FeatureFlags flags;
    return flags;
}

}  // namespace applet
