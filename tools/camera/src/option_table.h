#pragma once
// The program's options, each written once: its spellings, whether it takes
// a value, its lines in the help and what it sets. The command-line parser
// looks options up here and the help text lists them from here, so the two
// cannot disagree.

#include "command_line.h"

#include <string>

namespace pdrcam {

// What the options of one command line set: the options the commands use,
// and the two requests that stand in for a command.
struct OptionSettings {
    Options options;
    bool wantHelp = false;
    bool wantVersion = false;
};

// The help section an option is listed in.
enum class OptionGroup {
    Camera,    // every command's help
    Download,  // get
    Erase,     // erase
};

struct OptionEntry {
    const char *shortName;  // "-p", or nullptr
    const char *longName;   // "--port"
    const char *valueName;  // "N|DEV" in the help; nullptr: takes no value
    OptionGroup group;
    // Help lines, separated by '\n'; the first stands beside the option.
    const char *help;
    // Sets what the option stands for from its value (empty for options
    // without one); the reason when the value is refused, else empty.
    std::string (*apply)(OptionSettings &settings, const std::string &value);
    // The help goes on with the speed classes the library offers.
    bool listsSpeeds = false;
};

// The option spelled `name` ("-p", "--port"), or nullptr.
const OptionEntry *findOption(const std::string &name);

// The help lines of the options of `group`, each line ending in '\n'.
std::string optionHelp(OptionGroup group);

}  // namespace pdrcam
