#include "prerequisite.h"

#include <cstdlib>

namespace testsupport {

bool EveryPrerequisiteRequired() {
    const char *ci = std::getenv("CI");
    return ci && *ci;
}

std::string MissingPrerequisite(const std::string &what, bool required) {
    std::string report = "missing prerequisite: " + what;
    if (required)
        report += " (CI is set, and a full run must have every prerequisite)";
    return report;
}

}  // namespace testsupport
