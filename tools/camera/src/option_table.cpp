#include "option_table.h"

#include "picture_names.h"
#include "speed_classes.h"

#include <cstdlib>

namespace pdrcam {
namespace {

// Help lines stand in a column this far from the left; an option too wide
// for the space before it is followed by two spaces instead.
constexpr size_t kHelpColumn = 21;

std::string setPort(OptionSettings &settings, const std::string &value) {
    Options &options = settings.options;
    options.portDevice.clear();
    if (value.empty())
        return "the port must not be empty";
    if (value.find_first_not_of("0123456789") != std::string::npos) {
        options.portDevice = value;
        return {};
    }
    options.port = value.size() <= 6 ? std::atoi(value.c_str()) : 0;
    if (options.port < 1 || options.port > 9)
        return "port must be a number from 1 to 9 or a device, not '" + value + "'";
    return {};
}

std::string setSpeed(OptionSettings &settings, const std::string &value) {
    const auto speed = parseSpeed(value);
    if (!speed)
        return "unknown speed '" + value + "' (see --help for the speeds offered)";
    settings.options.speed = *speed;
    return {};
}

std::string setOutDir(OptionSettings &settings, const std::string &value) {
    if (value.empty())
        return "the output folder must not be empty";
    settings.options.outDir = value;
    return {};
}

std::string setNamePattern(OptionSettings &settings, const std::string &value) {
    std::string why;
    if (!checkNamePattern(value, why))
        return why + ", not '" + value + "'";
    settings.options.namePattern = value;
    return {};
}

std::string setDebugLogFile(OptionSettings &settings, const std::string &value) {
    if (value.empty() || value == "-")
        return "--debug-logfile needs a file name";
    settings.options.debugTrace = value;
    return {};
}

const OptionEntry kOptions[] = {
    {"-p", "--port", "N|DEV", OptionGroup::Camera,
     "serial port 1-9, or the device itself (a path such as\n"
     "/dev/ttyUSB0, or COM3); default: search ports 1 to 9.\n"
     "A port another program holds is refused as in use.",
     setPort},
    {"-s", "--speed", "S", OptionGroup::Camera,
     "line speed in bits per second, or a class as cN\n"
     "(default 115200); offered:",
     setSpeed, true},
    {nullptr, "--library", "FILE", OptionGroup::Camera,
     "load this camera library instead of the usual one",
     [](OptionSettings &s, const std::string &value) {
         s.options.library = value;
         return std::string();
     }},
    {"-q", "--quiet", nullptr, OptionGroup::Camera,
     "no progress, per-file lines or summary; errors only",
     [](OptionSettings &s, const std::string &) {
         s.options.quiet = true;
         return std::string();
     }},
    {"-v", "--debug", nullptr, OptionGroup::Camera,
     "trace every command and answer on the line, with the\n"
     "time, on stderr",
     [](OptionSettings &s, const std::string &) {
         // A log file named anywhere on the line wins over stderr.
         if (s.options.debugTrace.empty())
             s.options.debugTrace = "-";
         return std::string();
     }},
    {nullptr, "--debug-logfile", "FILE", OptionGroup::Camera, "the same trace, appended to FILE",
     setDebugLogFile},
    {"-h", "--help", nullptr, OptionGroup::Camera, "show help",
     [](OptionSettings &s, const std::string &) {
         s.wantHelp = true;
         return std::string();
     }},
    {nullptr, "--version", nullptr, OptionGroup::Camera, "show the program's version",
     [](OptionSettings &s, const std::string &) {
         s.wantVersion = true;
         return std::string();
     }},

    {"-o", "--out", "DIR", OptionGroup::Download,
     "folder for the files (default: the current folder)", setOutDir},
    {"-t", "--thumbnails", nullptr, OptionGroup::Download,
     "also download thumbnails as THM00001.JPG (or .RAW\n"
     "when the camera's thumbnail is not a JPEG)",
     [](OptionSettings &s, const std::string &) {
         s.options.thumbnails = true;
         return std::string();
     }},
    {nullptr, "--thumbnails-only", nullptr, OptionGroup::Download, "download the thumbnails alone",
     [](OptionSettings &s, const std::string &) {
         s.options.thumbnailsOnly = true;
         return std::string();
     }},
    {"-f", "--force", nullptr, OptionGroup::Download,
     "replace files that exist (default: skip them)",
     [](OptionSettings &s, const std::string &) {
         s.options.force = true;
         return std::string();
     }},
    {nullptr, "--filename", "PATTERN", OptionGroup::Download,
     "name files by PATTERN: %n the picture number\n"
     "(00001), %m the camera's model, %d the date of the\n"
     "download (YYYYMMDD), %% a percent sign; it ends in .%e,\n"
     "the extension (for example %m-%d-%n.%e); thumbnails\n"
     "add -thumb to the name",
     setNamePattern},
    {nullptr, "--new", nullptr, OptionGroup::Download,
     "only pictures not downloaded into DIR before, whatever\n"
     "their numbers now (DIR/.pdrcam-downloaded remembers\n"
     "each picture by its size and first 2048 bytes; one\n"
     "piece of each picture is fetched to compare)",
     [](OptionSettings &s, const std::string &) {
         s.options.onlyNew = true;
         return std::string();
     }},
    {nullptr, "--erase-after", nullptr, OptionGroup::Download,
     "erase each picture from the camera once its file is\n"
     "complete and checked (skipped pictures stay)",
     [](OptionSettings &s, const std::string &) {
         s.options.eraseAfter = true;
         return std::string();
     }},

    {"-y", "--yes", nullptr, OptionGroup::Erase, "do not ask",
     [](OptionSettings &s, const std::string &) {
         s.options.yes = true;
         return std::string();
     }},
};

// "9600 (c1), 19200 (c2), ..." wrapped in the help column.
std::string speedList() {
    const std::string indent(kHelpColumn, ' ');
    std::string list = indent, line;
    for (const SpeedClass *c = speedClassesBegin(); c != speedClassesEnd(); ++c) {
        const std::string item = std::to_string(c->bitsPerSecond) + " (c" +
                                 std::to_string(c->code) + ")" +
                                 (c + 1 != speedClassesEnd() ? "," : "");
        if (!line.empty() && line.size() + item.size() > 56) {
            list += line + "\n" + indent;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + item;
    }
    return list + line + "\n";
}

// "  -p, --port N|DEV   serial port ..." and the option's further lines.
std::string helpLines(const OptionEntry &option) {
    std::string label = "  ";
    label += option.shortName ? std::string(option.shortName) + ", " : "    ";
    label += option.longName;
    if (option.valueName)
        label += std::string(" ") + option.valueName;
    label += label.size() < kHelpColumn ? std::string(kHelpColumn - label.size(), ' ') : "  ";

    std::string text = label;
    for (const char *c = option.help; *c; ++c) {
        text += *c;
        if (*c == '\n')
            text += std::string(kHelpColumn, ' ');
    }
    text += "\n";
    if (option.listsSpeeds)
        text += speedList();
    return text;
}

}  // namespace

const OptionEntry *findOption(const std::string &name) {
    for (const OptionEntry &option : kOptions)
        if (name == option.longName || (option.shortName && name == option.shortName))
            return &option;
    return nullptr;
}

std::string optionHelp(OptionGroup group) {
    std::string text;
    for (const OptionEntry &option : kOptions)
        if (option.group == group)
            text += helpLines(option);
    return text;
}

}  // namespace pdrcam
