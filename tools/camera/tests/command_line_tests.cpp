#include "command_line.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace pdrcam_test
