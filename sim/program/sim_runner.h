// Runs the simulated camera as the program does: builds the picture set,
// opens the line, serves the host until SIGTERM or SIGINT.
#pragma once

#include <ostream>

#include "program_options.h"

namespace pdrsim {

// Returns the process exit code. The line's path goes to `out` (one line,
// flushed); errors and the -v log go to `err`.
int runSimulator(const ProgramOptions &options, std::ostream &out, std::ostream &err);

}  // namespace pdrsim
