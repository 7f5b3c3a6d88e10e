// The command line of pdr-sim.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "camera_profile.h"
#include "fault_plan.h"
#include "picture_set.h"

namespace pdrsim {

struct ProgramOptions {
    bool help = false;
    bool verbose = false;
    std::string device;    // empty: create a pseudo-terminal
    std::string link;      // symlink to the pseudo-terminal's slave
    std::string pictures;  // empty: the built-in set
    std::string exportDir;
    camsim::GroupLayout layout;
    camsim::CameraProfile profile;
    std::vector<camsim::Fault> faults;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

ProgramOptions parseProgramOptions(int argc, const char *const *argv);  // throws UsageError
std::string usageText();

}  // namespace pdrsim
