// Parses the fault options of the command line into faults.
//
//   WHEN := [CODE "/"] N ["*" TIMES] [":" ARG]
//
// CODE counts only commands with that code (0x17 or 23), N is the first
// counted command hit (1-based), TIMES how many in a row (default 1). ARG:
// stall: payload bytes sent before the stall; refuse: the status byte;
// busy: the payload as hex digits (none: the normal payload); change-after:
// which picture vanishes, last (default), before, current or after. A picture
// change counts picture-data requests unless a code is given.
#pragma once

#include <stdexcept>
#include <string>

#include "fault_plan.h"

namespace camsim {

Fault parseFaultOption(FaultKind kind, const std::string &option);  // throws std::invalid_argument

}  // namespace camsim
