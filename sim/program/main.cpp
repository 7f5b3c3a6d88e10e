// pdr-sim: the simulated PDR-M4 camera on a pseudo-terminal or serial device.
#include <iostream>

#include "program_options.h"
#include "sim_runner.h"

int main(int argc, char **argv) {
    pdrsim::ProgramOptions options;
    try {
        options = pdrsim::parseProgramOptions(argc, argv);
    } catch (const pdrsim::UsageError &e) {
        std::cerr << "pdr-sim: " << e.what() << "\n" << pdrsim::usageText();
        return 2;
    }
    if (options.help) {
        std::cout << pdrsim::usageText();
        return 0;
    }
    return pdrsim::runSimulator(options, std::cout, std::cerr);
}
