#pragma once
// The applet's on/off switches, settled once at start-up from three layers:
// a resource string ("true" = on), the profile's "Install" entry of the same
// number, and an `Install` registry value of the flag's name (0 or 1). Later
// layers win; anything but 0 or 1 passes the decision on.
#include <cstddef>
#include <cstdint>
#include <string>

namespace applet {

struct FeatureFlags {
    int32_t autodownload = 0;
    int32_t agfamode = 0;
    int32_t audio = 0;
    int32_t cameradirect = 0;
    int32_t cameraserial = 0;
    int32_t camerawia = 0;
    int32_t cameratoolbar = 0;
    int32_t dragmove = 0;
    int32_t effects = 0;
    int32_t epsonmode = 0;
    int32_t hiddenplugins = 0;
    int32_t newdownloaddir = 0;
    int32_t pccard = 0;
    int32_t plugins = 0;
    int32_t quicktour = 0;
    int32_t showourtwain = 0;
    int32_t thumbnailcompact = 0;
    int32_t toshibamode = 0;
    int32_t twain = 0;
    int32_t uploadcamera = 0;
    int32_t uploadpccard = 0;
    int32_t enhancedprinting = 0;
    int32_t flashpath = 0;
    int32_t camcntrldialogs = 0;
    int32_t twainonly = 0;
    int32_t ink = 0;
    int32_t textannotation = 0;
    int32_t cesync = 0;
    int32_t stitch = 0;
    int32_t showcamtype = 0;
    int32_t pushaware = 0;
    int32_t stitchtags = 0;
    int32_t serial230 = 0;
    int32_t albumorder = 0;
    int32_t movie = 0;
    int32_t audioonly = 0;
    int32_t controlscheck = 0;
    int32_t gotobutton = 0;
    int32_t techsupportdlg = 0;
};

// One flag: its name (also its registry override's name) and the number of
// its built-in default string (0: none).
struct FeatureFlagInfo {
    const char *name;
    int32_t FeatureFlags::*flag;
    unsigned defaultString;
};

// Every flag in loading order.
const FeatureFlagInfo *FeatureFlagTable();
std::size_t FeatureFlagCount();

// Where the three layers are read from.
class FeatureFlagSources {
public:
    virtual ~FeatureFlagSources() = default;
    // The text of a string resource; empty when missing.
    virtual std::string ResourceText(unsigned id) const = 0;
    // An integer entry of the application's profile, or `defaultValue`.
    virtual int ProfileInt(const std::string &section, const std::string &entry,
                           int defaultValue) const = 0;
    // A number under the settings store's `Install` subkey, or `defaultValue`.
    virtual int32_t InstallNumber(const std::string &name, int32_t defaultValue) const = 0;
};

// The profile section that holds the defaults, by string number.
constexpr const char kFeatureProfileSection[] = "Install";

// Profile entry 0/1 for the number, else whether its string says "true".
int GetFeatureDefault(const FeatureFlagSources &sources, unsigned stringNumber);

// Sets every flag that has a built-in default, whatever it held before.
void LoadFeatureDefaults(const FeatureFlagSources &sources, FeatureFlags &flags);

// Reads `Install`\name; stores it in `flag` only when it is 0 or 1. Returns the
// number read (-1 when there is none).
int32_t ReadFeatureFlag(const FeatureFlagSources &sources, const std::string &name, int32_t &flag);

// Applies the registry overrides to every flag.
void LoadFeatureFlags(const FeatureFlagSources &sources, FeatureFlags &flags);

// The applet's own flags, process-wide: all off until start-up loads them.
FeatureFlags &AppFeatureFlags();

}  // namespace applet
