#include "command_line.h"
#include "help_text.h"

#include <gtest/gtest.h>

#include <regex>

namespace pdrcam_test {
namespace {

using namespace pdrcam;

ParsedCommandLine parse(std::vector<std::string> args) {
    return parseCommandLine(args);
}

Options parseOk(std::vector<std::string> args) {
    ParsedCommandLine parsed = parseCommandLine(args);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    return parsed.options;
}

TEST(PdrcamCommandLineHelp, NoArgumentsAndHelpOptionsGiveTheOverview) {
    for (auto args : {std::vector<std::string>{}, {"--help"}, {"-h"}, {"help"}}) {
        Options o = parseOk(args);
        EXPECT_EQ(o.command, Command::Help);
        EXPECT_EQ(o.helpTopic, "");
    }
}

TEST(PdrcamCommandLineHelp, PerCommandHelpNamesTheCommand) {
    EXPECT_EQ(parseOk({"get", "--help"}).helpTopic, "get");
    EXPECT_EQ(parseOk({"--help", "erase"}).helpTopic, "erase");
    EXPECT_EQ(parseOk({"help", "list"}).helpTopic, "list");
    EXPECT_FALSE(parse({"help", "fly"}).ok);
}

TEST(PdrcamCommandLineOptions, DefaultsSearchThePortsAt115200) {
    Options o = parseOk({"info"});
    EXPECT_EQ(o.command, Command::Info);
    EXPECT_EQ(o.port, 0);
    EXPECT_EQ(o.speed.code, 5);
    EXPECT_EQ(o.speed.bitsPerSecond, 115200);
    EXPECT_EQ(o.outDir, ".");
    EXPECT_FALSE(o.force);
    EXPECT_FALSE(o.thumbnails);
    EXPECT_FALSE(o.yes);
}

TEST(PdrcamCommandLineOptions, OptionsMayStandBeforeOrAfterTheCommand) {
    Options a = parseOk({"--port", "4", "get", "-o", "pics", "--thumbnails", "--force"});
    Options b = parseOk({"get", "--out=pics", "-t", "-f", "--port=4"});
    for (const Options &o : {a, b}) {
        EXPECT_EQ(o.command, Command::Get);
        EXPECT_EQ(o.port, 4);
        EXPECT_EQ(o.outDir, "pics");
        EXPECT_TRUE(o.thumbnails);
        EXPECT_TRUE(o.force);
    }
}

TEST(PdrcamCommandLineOptions, PortOutsideOneToNineIsRefused) {
    EXPECT_FALSE(parse({"info", "--port", "0"}).ok);
    EXPECT_FALSE(parse({"info", "--port", "10"}).ok);
    EXPECT_FALSE(parse({"info", "--port", ""}).ok);
    EXPECT_EQ(parseOk({"info", "-p", "9"}).port, 9);
}

TEST(PdrcamCommandLineOptions, MissingValuesAndUnknownOptionsAreErrors) {
    auto missing = parse({"info", "--port"});
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("--port"), std::string::npos);
    EXPECT_FALSE(parse({"info", "--colour"}).ok);
    EXPECT_FALSE(parse({"info", "--force=yes"}).ok);
    EXPECT_FALSE(parse({"fly"}).ok);
    EXPECT_FALSE(parse({"get", "--out="}).ok);
}

TEST(PdrcamCommandLineSpeed, LineSpeedsAndClassNumbersBothSelectAClass) {
    struct Case {
        const char *text;
        int code;
        int bps;
    } cases[] = {{"9600", 1, 9600},    {"19200", 2, 19200},    {"38400", 3, 38400},
                 {"57600", 4, 57600},  {"115200", 5, 115200},  {"230400", 6, 230400},
                 {"48000", 16, 48000}, {"64000", 17, 64000},   {"96000", 18, 96000},
                 {"c4", 4, 57600},     {"class16", 16, 48000}, {"6", 6, 230400}};
    for (const Case &c : cases) {
        Options o = parseOk({"info", "--speed", c.text});
        EXPECT_EQ(o.speed.code, c.code) << c.text;
        EXPECT_EQ(o.speed.bitsPerSecond, c.bps) << c.text;
    }
}

TEST(PdrcamCommandLineSpeed, ClassesAndSpeedsNotOfferedAreRefused) {
    for (const char *text : {"7", "15", "c0", "0", "14400", "1200", "fast", "", "-5"})
        EXPECT_FALSE(parse({"info", "--speed", text}).ok) << text;
}

TEST(PdrcamCommandLinePictures, NoListOrAllMeansEveryPicture) {
    EXPECT_TRUE(parseOk({"get"}).selection.all);
    EXPECT_TRUE(parseOk({"get", "all"}).selection.all);
}

TEST(PdrcamCommandLinePictures, NumbersRangesAndListsKeepOrderWithoutRepeats) {
    Options o = parseOk({"get", "5", "2-4,9", "3"});
    EXPECT_FALSE(o.selection.all);
    EXPECT_EQ(o.selection.numbers, (std::vector<int>{5, 2, 3, 4, 9}));
}

TEST(PdrcamCommandLinePictures, MalformedListsAreRefused) {
    for (const char *text : {"0", "4-2", "1,,2", "a", "1-", "-3x", "2-b", "1.5"})
        EXPECT_FALSE(parse({"get", text}).ok) << text;
}

TEST(PdrcamCommandLineErase, TakesNumbersRangesLastOrAll) {
    EXPECT_EQ(parseOk({"erase", "last"}).eraseTarget, EraseTarget::Last);
    EXPECT_EQ(parseOk({"erase", "all", "-y"}).eraseTarget, EraseTarget::All);
    EXPECT_TRUE(parseOk({"erase", "all", "-y"}).yes);
    Options one = parseOk({"erase", "7"});
    EXPECT_EQ(one.eraseTarget, EraseTarget::One);
    EXPECT_EQ(one.eraseSelection.numbers, std::vector<int>{7});
    EXPECT_EQ(parseOk({"erase", "2-4", "9"}).eraseSelection.numbers,
              (std::vector<int>{2, 3, 4, 9}));
    for (std::vector<std::string> bad : {std::vector<std::string>{"erase"},
                                         {"erase", "0"},
                                         {"erase", "first"},
                                         {"erase", "1", "all"},
                                         {"erase", "last", "2"}})
        EXPECT_FALSE(parse(bad).ok) << bad.back();
}

TEST(PdrcamCommandLineOptions, ConveniencesAndDevicePorts) {
    EXPECT_EQ(parseOk({"--version"}).command, Command::Version);
    EXPECT_TRUE(parseOk({"get", "-q"}).quiet);
    EXPECT_TRUE(parseOk({"get", "--thumbnails-only"}).thumbnailsOnly);
    EXPECT_TRUE(parseOk({"get", "--erase-after"}).eraseAfter);
    EXPECT_FALSE(parse({"get", "--erase-after", "--thumbnails-only"}).ok);
    const Options device = parseOk({"info", "--port", "/dev/ttyUSB0"});
    EXPECT_EQ(device.portDevice, "/dev/ttyUSB0");
    EXPECT_EQ(parseOk({"info", "-p", "4"}).port, 4);
    EXPECT_TRUE(parseOk({"info", "-p", "4"}).portDevice.empty());
    EXPECT_FALSE(parse({"info", "-p", "12"}).ok);
    EXPECT_FALSE(parse({"info", "--port="}).ok);
    EXPECT_EQ(parseOk({"info", "-v"}).debugTrace, "-");
    EXPECT_EQ(parseOk({"info", "--debug-logfile", "t.log", "-v"}).debugTrace, "t.log");
    EXPECT_FALSE(parse({"info", "--debug-logfile="}).ok);
}

TEST(PdrcamCommandLineOperands, InfoAndListTakeNone) {
    EXPECT_FALSE(parse({"info", "3"}).ok);
    EXPECT_FALSE(parse({"list", "all"}).ok);
}

// Every way a command line is refused says what was wrong in words of its own:
// the message is what the user reads, so each is checked in full.
TEST(PdrcamCommandLineErrors, EachRefusalSaysWhy) {
    struct Case {
        std::vector<std::string> args;
        const char *error;
    } cases[] = {
        {{"info", "--force=yes"}, "option --force takes no value"},
        {{"info", "--bogus=1"}, "option --bogus takes no value"},
        {{"info", "--bogus"}, "unknown option --bogus"},
        {{"info", "-x"}, "unknown option -x"},
        // Only long options carry their value after '='.
        {{"info", "-p=3"}, "unknown option -p=3"},
        {{"get", "--filename"}, "option --filename needs a value"},
        {{"info", "-s"}, "option -s needs a value"},
        {{"info", "--port="}, "the port must not be empty"},
        {{"info", "--port", "0000003"},
         "port must be a number from 1 to 9 or a device, not '0000003'"},
        {{"info", "--speed", "fly"}, "unknown speed 'fly' (see --help for the speeds offered)"},
        {{"info", "-o", ""}, "the output folder must not be empty"},
        {{"get", "--filename=x"}, "the file name pattern must end with .%e, not 'x'"},
        {{"get", "--filename", "%m.%e"},
         "the file name pattern needs %n, the picture number, not '%m.%e'"},
        {{"info", "--debug-logfile=-"}, "--debug-logfile needs a file name"},
        {{"fly"}, "unknown command 'fly'"},
        {{"-"}, "unknown command '-'"},
        {{"help", "get", "list"}, "help takes at most one command name"},
        {{"help", "fly"}, "no help for unknown command 'fly'"},
        {{"help", "--", "--port"}, "no help for unknown command '--port'"},
        {{"detect", "--port=3"}, "detect asks every port; it takes no --port"},
        {{"detect", "1"}, "detect takes no operands"},
        {{"list", "3"}, "list takes no operands"},
        // A negative number is an operand, not an option, and no picture.
        {{"get", "-5"}, "bad picture list '-5' (use numbers from 1, ranges like 2-5, or all)"},
        {{"get", "--erase-after", "--thumbnails-only"},
         "--erase-after needs the pictures, not --thumbnails-only"},
        {{"erase"}, "erase takes picture numbers or ranges, 'last' or 'all'"},
        {{"erase", "3", "last"},
         "erase takes picture numbers or ranges, 'last' or 'all', not 'last'"},
    };
    for (const Case &c : cases) {
        const ParsedCommandLine parsed = parse(c.args);
        EXPECT_FALSE(parsed.ok) << c.args.back();
        EXPECT_EQ(parsed.error, c.error) << c.args.back();
    }
}

// What each accepted line sets, one field per case, read back through the
// field's own accessor so a case names exactly what it checks.
TEST(PdrcamCommandLineOptions, EachOptionSetsItsOwnField) {
    struct Case {
        std::vector<std::string> args;
        std::string (*field)(const Options &);
        const char *expected;
    } cases[] = {
        {{"info", "--library", "lib/other.so"},
         [](const Options &o) { return o.library; },
         "lib/other.so"},
        {{"info", "--library="}, [](const Options &o) { return o.library; }, ""},
        {{"get", "--new"}, [](const Options &o) { return std::to_string(o.onlyNew); }, "1"},
        {{"get", "--filename=%m-%n.%e"},
         [](const Options &o) { return o.namePattern; },
         "%m-%n.%e"},
        {{"get", "--out", "-"}, [](const Options &o) { return o.outDir; }, "-"},
        {{"info", "--quiet"}, [](const Options &o) { return std::to_string(o.quiet); }, "1"},
        {{"info", "--debug"}, [](const Options &o) { return o.debugTrace; }, "-"},
        // A log file wins over stderr, whichever comes first.
        {{"info", "-v", "--debug-logfile=t.log"},
         [](const Options &o) { return o.debugTrace; },
         "t.log"},
        // A device names the port; a later number takes its place again.
        {{"info", "--port=COM3"}, [](const Options &o) { return o.portDevice; }, "COM3"},
        {{"info", "--port=COM3", "-p", "2"},
         [](const Options &o) { return o.portDevice + "/" + std::to_string(o.port); },
         "/2"},
        {{"info", "-s", "c2", "--speed=9600"},
         [](const Options &o) { return std::to_string(o.speed.bitsPerSecond); },
         "9600"},
        {{"erase", "--yes", "last"}, [](const Options &o) { return std::to_string(o.yes); }, "1"},
        // "--" ends the options: what follows is an operand even when it
        // looks like one.
        {{"get", "--", "2", "3"},
         [](const Options &o) { return std::to_string(o.selection.numbers.size()); },
         "2"},
        {{"erase", "--", "last"},
         [](const Options &o) { return std::to_string(o.eraseTarget == EraseTarget::Last); },
         "1"},
        // --help wins over the command and over --version; help's own
        // operand is the topic.
        {{"help", "list", "--help"}, [](const Options &o) { return o.helpTopic; }, "list"},
        {{"help", "--help"}, [](const Options &o) { return o.helpTopic; }, ""},
        {{"--version", "--help", "get"}, [](const Options &o) { return o.helpTopic; }, "get"},
        {{"--version", "--help"},
         [](const Options &o) { return std::string(commandName(o.command)); },
         "help"},
        {{"info", "--version"},
         [](const Options &o) { return std::string(commandName(o.command)); },
         "version"},
        // The operands of a command asked for help about are not checked.
        {{"list", "3", "--help"}, [](const Options &o) { return o.helpTopic; }, "list"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.field(parseOk(c.args)), c.expected) << c.args[1];
}

// The help may only offer what the parser accepts: every --option a help
// page names is one the parser knows.
TEST(PdrcamCommandLineHelp, EveryOptionTheHelpNamesIsAccepted) {
    const std::regex optionName("--[a-z][a-z-]*");
    for (const char *topic : {"", "info", "list", "get", "erase"}) {
        const std::string text = helpText("pdrcam", topic);
        int named = 0;
        for (std::sregex_iterator it(text.begin(), text.end(), optionName), end; it != end;
             ++it, ++named) {
            const std::string option = it->str();
            const ParsedCommandLine parsed = parse({"info", option});
            EXPECT_EQ(parsed.error.find("unknown option"), std::string::npos)
                << topic << ": " << option;
        }
        EXPECT_GE(named, 8) << topic;
    }
}

}  // namespace
}  // namespace pdrcam_test
