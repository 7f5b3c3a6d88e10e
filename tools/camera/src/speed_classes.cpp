#include "speed_classes.h"

#include <peltrix.h>

#include <cstdlib>
#include <iterator>

namespace pdrcam {
namespace {

const SpeedClass kClasses[] = {
    {CAM_SPEED_9600, 9600},   {CAM_SPEED_19200, 19200},   {CAM_SPEED_38400, 38400},
    {CAM_SPEED_48000, 48000}, {CAM_SPEED_57600, 57600},   {CAM_SPEED_64000, 64000},
    {CAM_SPEED_96000, 96000}, {CAM_SPEED_115200, 115200}, {CAM_SPEED_230400, 230400},
};

std::optional<long> parseNumber(const std::string &digits) {
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    for (char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    return std::strtol(digits.c_str(), nullptr, 10);
}

}  // namespace

const SpeedClass *speedClassesBegin() {
    return std::begin(kClasses);
}
const SpeedClass *speedClassesEnd() {
    return std::end(kClasses);
}

std::optional<SpeedClass> speedClassForCode(int32_t code) {
    for (const SpeedClass &c : kClasses)
        if (c.code == code)
            return c;
    return std::nullopt;
}

std::optional<SpeedClass> parseSpeed(const std::string &text) {
    std::string digits = text;
    bool explicitClass = false;
    for (const char *prefix : {"class", "c"}) {
        const std::string p(prefix);
        if (digits.compare(0, p.size(), p) == 0) {
            digits = digits.substr(p.size());
            explicitClass = true;
            break;
        }
    }
    auto number = parseNumber(digits);
    if (!number)
        return std::nullopt;
    // Class numbers are small and line speeds large, so a bare number is
    // unambiguous.
    if (explicitClass || *number < 100)
        return speedClassForCode(static_cast<int32_t>(*number));
    for (const SpeedClass &c : kClasses)
        if (c.bitsPerSecond == *number)
            return c;
    return std::nullopt;
}

}  // namespace pdrcam
