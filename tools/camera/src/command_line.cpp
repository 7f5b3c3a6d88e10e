#include "command_line.h"

#include "option_table.h"

#include <algorithm>
#include <cstdlib>

namespace pdrcam {
namespace {

bool parsePositive(const std::string &text, int &value) {
    if (text.empty() || text.size() > 6)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    value = std::atoi(text.c_str());
    return value > 0;
}

bool commandFromName(const std::string &name, Command &command) {
    static const struct {
        const char *name;
        Command command;
    } kCommands[] = {{"help", Command::Help}, {"detect", Command::Detect},
                     {"info", Command::Info}, {"list", Command::List},
                     {"get", Command::Get},   {"erase", Command::Erase}};
    for (const auto &c : kCommands)
        if (name == c.name) {
            command = c.command;
            return true;
        }
    return false;
}

void addUnique(std::vector<int> &numbers, int n) {
    if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
        numbers.push_back(n);
}

ParsedCommandLine failure(std::string error) {
    ParsedCommandLine result;
    result.error = std::move(error);
    return result;
}

// Takes the option at args[i] ("--out=DIR", "--out DIR", "-t", ...) into
// `settings`, moving `i` past a value given as the next argument; the
// reason when it is refused, else empty.
std::string takeOption(const std::vector<std::string> &args, size_t &i, OptionSettings &settings) {
    std::string name = args[i];
    std::string value;
    bool inlineValue = false;
    const size_t equals = name.find('=');
    if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.erase(equals);
        inlineValue = true;
    }
    const OptionEntry *option = findOption(name);
    const bool takesValue = option && option->valueName;
    if (takesValue && !inlineValue) {
        if (i + 1 >= args.size())
            return "option " + name + " needs a value";
        value = args[++i];
    } else if (!takesValue && inlineValue) {
        return "option " + name + " takes no value";
    }
    if (!option)
        return "unknown option " + name;
    return option->apply(settings, value);
}

// An option, as opposed to a command or an operand: "-" alone and negative
// numbers are operands (and refused as such).
bool isOption(const std::string &arg) {
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

// --help and --version stand in for the command: the help topic they ask for.
void resolveHelp(bool haveCommand, const std::vector<std::string> &operands, Options &options) {
    if (options.command != Command::Help || !haveCommand)
        options.helpTopic = haveCommand ? commandName(options.command) : "";
    else if (!operands.empty())
        options.helpTopic = operands.front();
    options.command = Command::Help;
}

std::string checkHelpOperands(const std::vector<std::string> &operands, Options &options) {
    if (operands.size() > 1)
        return "help takes at most one command name";
    if (!operands.empty()) {
        Command topic;
        if (!commandFromName(operands[0], topic))
            return "no help for unknown command '" + operands[0] + "'";
        options.helpTopic = operands[0];
    }
    return {};
}

std::string checkGetOperands(const std::vector<std::string> &operands, Options &options) {
    for (const std::string &operand : operands)
        if (!parsePictureList(operand, options.selection))
            return "bad picture list '" + operand +
                   "' (use numbers from 1, ranges like 2-5, or all)";
    if (options.thumbnailsOnly && options.eraseAfter)
        return "--erase-after needs the pictures, not --thumbnails-only";
    return {};
}

std::string checkEraseOperands(const std::vector<std::string> &operands, Options &options) {
    if (operands.size() == 1 && operands[0] == "last") {
        options.eraseTarget = EraseTarget::Last;
        return {};
    }
    if (operands.size() == 1 && operands[0] == "all") {
        options.eraseTarget = EraseTarget::All;
        return {};
    }
    if (operands.empty())
        return "erase takes picture numbers or ranges, 'last' or 'all'";
    options.eraseTarget = EraseTarget::One;
    for (const std::string &operand : operands)
        if (operand == "all" || !parsePictureList(operand, options.eraseSelection))
            return "erase takes picture numbers or ranges, 'last' or 'all', not '" + operand + "'";
    return {};
}

// What the command makes of its operands and of the options given with it;
// the reason when they do not fit, else empty.
std::string checkOperands(const std::vector<std::string> &operands, Options &options) {
    switch (options.command) {
    case Command::Help:
        return checkHelpOperands(operands, options);
    case Command::Version:
        return {};
    case Command::Detect:
        if (options.port != 0 || !options.portDevice.empty())
            return "detect asks every port; it takes no --port";
        [[fallthrough]];
    case Command::Info:
    case Command::List:
        if (!operands.empty())
            return std::string(commandName(options.command)) + " takes no operands";
        return {};
    case Command::Get:
        return checkGetOperands(operands, options);
    case Command::Erase:
        return checkEraseOperands(operands, options);
    }
    return {};
}

}  // namespace

const char *commandName(Command command) {
    switch (command) {
    case Command::Help:
        return "help";
    case Command::Version:
        return "version";
    case Command::Detect:
        return "detect";
    case Command::Info:
        return "info";
    case Command::List:
        return "list";
    case Command::Get:
        return "get";
    case Command::Erase:
        return "erase";
    }
    return "?";
}

bool parsePictureList(const std::string &text, PictureSelection &selection) {
    if (text == "all") {
        selection.all = true;
        selection.numbers.clear();
        return true;
    }
    std::vector<int> numbers = selection.all ? std::vector<int>{} : selection.numbers;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        size_t dash = item.find('-');
        int first = 0, last = 0;
        if (dash == std::string::npos) {
            if (!parsePositive(item, first))
                return false;
            last = first;
        } else if (!parsePositive(item.substr(0, dash), first) ||
                   !parsePositive(item.substr(dash + 1), last) || last < first ||
                   last - first > 100000) {
            return false;
        }
        for (int n = first; n <= last; ++n)
            addUnique(numbers, n);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    selection.all = false;
    selection.numbers = std::move(numbers);
    return true;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string> &args) {
    OptionSettings settings;
    Options &options = settings.options;
    bool haveCommand = false;
    std::vector<std::string> operands;

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        // "--" ends the options; so does "--=...", which is read as "--"
        // with a value.
        if (arg == "--" || arg.compare(0, 3, "--=") == 0) {
            operands.insert(operands.end(), args.begin() + i + 1, args.end());
            break;
        }
        if (isOption(arg)) {
            std::string error = takeOption(args, i, settings);
            if (!error.empty())
                return failure(std::move(error));
        } else if (!haveCommand) {
            if (!commandFromName(arg, options.command))
                return failure("unknown command '" + arg + "'");
            haveCommand = true;
        } else {
            operands.push_back(arg);
        }
    }

    if (settings.wantVersion && !settings.wantHelp) {
        options.command = Command::Version;
    } else if (!haveCommand || settings.wantHelp) {
        resolveHelp(haveCommand, operands, options);
    } else {
        std::string error = checkOperands(operands, options);
        if (!error.empty())
            return failure(std::move(error));
    }
    ParsedCommandLine result;
    result.ok = true;
    result.options = std::move(options);
    return result;
}

}  // namespace pdrcam
