// pdrcam: works with the camera through the camera library, loaded by name
// as every host loads it.
#include "camera_library.h"
#include "cancel_request.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "help_text.h"
#include "serial_port.h"
#include "terminal.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

// The question goes to the terminal's error stream, so that output sent to a
// file or a pipe never hides it.
bool askUser(const std::string &question) {
    std::cerr << question << std::flush;
    std::string answer;
    if (!pdrcam::readAnswerLine(answer)) {
        std::cerr << "\n";
        return false;
    }
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

}  // namespace

int main(int argc, char **argv) {
    using namespace pdrcam;
    const std::string program = "pdrcam";
    const std::vector<std::string> args(argv + 1, argv + argc);
    lineBufferStandardOutput();

    std::string error;
    ParsedCommandLine parsed = parseCommandLine(args);
    if (!parsed.ok) {
        std::cerr << program << ": " << parsed.error << "\nTry '" << program << " --help'.\n";
        return kExitUsage;
    }
    Options &options = parsed.options;
    if (options.command == Command::Help) {
        std::cout << helpText(program, options.helpTopic);
        return kExitOk;
    }
    if (options.command == Command::Version) {
        std::cout << versionText(program);
        return kExitOk;
    }
    if (!options.portDevice.empty() && !portForDevice(options.portDevice, options.port, error)) {
        std::cerr << program << ": " << error << "\n";
        return kExitUsage;
    }

    if (!options.debugTrace.empty())
        traceLineTo(options.debugTrace);
    auto library = CameraLibrary::load(options.library, error);
    if (!library) {
        std::cerr << program << ": " << error << "\n";
        return kExitNoLibrary;
    }

    installCancelHandler();
    Console console{std::cout, std::cerr, false, 80, askUser, {}, false};
    console.progressBar = isTerminal(stdout) && !options.quiet;
    console.width = console.progressBar ? terminalWidth() : 80;
    if (console.progressBar)
        console.measureWidth = terminalWidth;
    console.quiet = options.quiet;
    return runCameraCommand(library->api(), options, console);
}
