#include "speed_classes.h"

#include <cstdlib>
#include <iterator>

namespace pdrcam {
namespace {

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
    return std::begin(peltrix::kSpeedClassRates);
}
const SpeedClass *speedClassesEnd() {
    return std::end(peltrix::kSpeedClassRates);
}

std::optional<SpeedClass> speedClassForCode(int32_t code) {
    if (const SpeedClass *c = peltrix::findSpeedClass(code))
        return *c;
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
    for (const SpeedClass &c : peltrix::kSpeedClassRates)
        if (c.bitsPerSecond == *number)
            return c;
    return std::nullopt;
}

}  // namespace pdrcam
