#include "command_line.h"

#include "picture_names.h"

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

// Options that take a value, by their long and short spelling.
bool takesValue(const std::string &name) {
    return name == "--port" || name == "-p" || name == "--speed" || name == "-s" ||
           name == "--out" || name == "-o" || name == "--library" || name == "--debug-logfile" ||
           name == "--filename";
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
    ParsedCommandLine result;
    Options &options = result.options;
    bool haveCommand = false;
    bool wantHelp = false;
    bool wantVersion = false;
    std::vector<std::string> operands;

    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool inlineValue = false;
        if (arg.compare(0, 2, "--") == 0) {
            size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
                arg = arg.substr(0, equals);
                inlineValue = true;
            }
        }
        if (arg == "--") {
            operands.insert(operands.end(), args.begin() + i + 1, args.end());
            break;
        }
        if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9')) {
            if (takesValue(arg) && !inlineValue) {
                if (i + 1 >= args.size())
                    return failure("option " + arg + " needs a value");
                value = args[++i];
            } else if (!takesValue(arg) && inlineValue) {
                return failure("option " + arg + " takes no value");
            }
            if (arg == "--help" || arg == "-h") {
                wantHelp = true;
            } else if (arg == "--version") {
                wantVersion = true;
            } else if (arg == "--port" || arg == "-p") {
                const bool digits =
                    !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
                options.portDevice.clear();
                if (value.empty())
                    return failure("the port must not be empty");
                if (!digits)
                    options.portDevice = value;
                else if (!parsePositive(value, options.port) || options.port > 9)
                    return failure("port must be a number from 1 to 9 or a device, not '" + value +
                                   "'");
            } else if (arg == "--speed" || arg == "-s") {
                auto speed = parseSpeed(value);
                if (!speed)
                    return failure("unknown speed '" + value +
                                   "' (see --help for the speeds offered)");
                options.speed = *speed;
            } else if (arg == "--out" || arg == "-o") {
                if (value.empty())
                    return failure("the output folder must not be empty");
                options.outDir = value;
            } else if (arg == "--library") {
                options.library = value;
            } else if (arg == "--thumbnails" || arg == "-t") {
                options.thumbnails = true;
            } else if (arg == "--thumbnails-only") {
                options.thumbnailsOnly = true;
            } else if (arg == "--filename") {
                std::string why;
                if (!checkNamePattern(value, why))
                    return failure(why + ", not '" + value + "'");
                options.namePattern = value;
            } else if (arg == "--new") {
                options.onlyNew = true;
            } else if (arg == "--erase-after") {
                options.eraseAfter = true;
            } else if (arg == "--quiet" || arg == "-q") {
                options.quiet = true;
            } else if (arg == "--debug" || arg == "-v") {
                if (options.debugTrace.empty())
                    options.debugTrace = "-";
            } else if (arg == "--debug-logfile") {
                if (value.empty() || value == "-")
                    return failure("--debug-logfile needs a file name");
                options.debugTrace = value;
            } else if (arg == "--force" || arg == "-f") {
                options.force = true;
            } else if (arg == "--yes" || arg == "-y") {
                options.yes = true;
            } else {
                return failure("unknown option " + arg);
            }
            continue;
        }
        if (!haveCommand) {
            if (!commandFromName(arg, options.command))
                return failure("unknown command '" + arg + "'");
            haveCommand = true;
        } else {
            operands.push_back(arg);
        }
    }

    if (wantVersion && !wantHelp) {
        options.command = Command::Version;
        result.ok = true;
        return result;
    }
    if (!haveCommand || wantHelp) {
        if (options.command != Command::Help || !haveCommand) {
            options.helpTopic = haveCommand ? commandName(options.command) : "";
        } else if (!operands.empty()) {
            options.helpTopic = operands.front();
        }
        options.command = Command::Help;
        result.ok = true;
        return result;
    }

    switch (options.command) {
    case Command::Help:
        if (operands.size() > 1)
            return failure("help takes at most one command name");
        if (!operands.empty()) {
            Command topic;
            if (!commandFromName(operands[0], topic))
                return failure("no help for unknown command '" + operands[0] + "'");
            options.helpTopic = operands[0];
        }
        break;
    case Command::Version:
        break;
    case Command::Detect:
        if (options.port != 0 || !options.portDevice.empty())
            return failure("detect asks every port; it takes no --port");
        [[fallthrough]];
    case Command::Info:
    case Command::List:
        if (!operands.empty())
            return failure(std::string(commandName(options.command)) + " takes no operands");
        break;
    case Command::Get:
        for (const std::string &operand : operands)
            if (!parsePictureList(operand, options.selection))
                return failure("bad picture list '" + operand +
                               "' (use numbers from 1, ranges like 2-5, or all)");
        if (options.thumbnailsOnly && options.eraseAfter)
            return failure("--erase-after needs the pictures, not --thumbnails-only");
        break;
    case Command::Erase:
        if (operands.size() == 1 && operands[0] == "last") {
            options.eraseTarget = EraseTarget::Last;
            break;
        }
        if (operands.size() == 1 && operands[0] == "all") {
            options.eraseTarget = EraseTarget::All;
            break;
        }
        if (operands.empty())
            return failure("erase takes picture numbers or ranges, 'last' or 'all'");
        options.eraseTarget = EraseTarget::One;
        for (const std::string &operand : operands)
            if (operand == "all" || !parsePictureList(operand, options.eraseSelection))
                return failure("erase takes picture numbers or ranges, 'last' or 'all', not '" +
                               operand + "'");
        break;
    }
    result.ok = true;
    return result;
}

}  // namespace pdrcam
