#pragma once
// The program's command line: one command with its operands, and options
// that may stand before or after it.

#include "speed_classes.h"

#include <peltrix.h>

#include <string>
#include <vector>

namespace pdrcam {

enum class Command { Help, Version, Detect, Info, List, Get, Erase };

// Pictures chosen for download: every picture, or the listed numbers in the
// order given (ranges expanded, repeats dropped).
struct PictureSelection {
    bool all = true;
    std::vector<int> numbers;
};

// One: the numbers in eraseSelection (one or more, ranges expanded).
enum class EraseTarget { One, Last, All };

struct Options {
    Command command = Command::Help;
    std::string helpTopic;   // for Command::Help: a command name or empty
    int port = 0;            // 0 searches ports 1-9
    std::string portDevice;  // --port PATH: a device path instead of a number
    SpeedClass speed{CAM_SPEED_115200, 115200};
    std::string library;  // empty: the platform's usual name
    std::string outDir = ".";
    bool thumbnails = false;
    bool thumbnailsOnly = false;
    // get: erase each picture once its file is complete
    bool eraseAfter = false;
    // get --new: only pictures not downloaded into outDir before
    bool onlyNew = false;
    // get --filename: empty for PIC00001.JPG
    std::string namePattern;
    bool quiet = false;
    // -v/--debug: the line's trace on stderr; --debug-logfile FILE: in FILE.
    std::string debugTrace;
    bool force = false;
    bool yes = false;
    PictureSelection selection;
    EraseTarget eraseTarget = EraseTarget::One;
    PictureSelection eraseSelection;
};

struct ParsedCommandLine {
    bool ok = false;
    Options options;
    std::string error;  // what was wrong, when !ok
};

ParsedCommandLine parseCommandLine(const std::vector<std::string> &args);

// "3", "2-5", "1,4,7-9" or "all"; false on anything else.
bool parsePictureList(const std::string &text, PictureSelection &selection);

const char *commandName(Command command);

}  // namespace pdrcam
