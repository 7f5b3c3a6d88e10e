// pdrcam: works with the camera through the camera library, loaded by name
// as every host loads it.
#include "camera_library.h"
#include "cancel_request.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "help_text.h"
#include "terminal.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

bool askUser(const std::string &question) {
    std::cout << question << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::cout << "\n";
        return false;
    }
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

}  // namespace

int main(int argc, char **argv) {
    using namespace pdrcam;
    const std::string program = "pdrcam";
    const std::vector<std::string> args(argv + 1, argv + argc);

    ParsedCommandLine parsed = parseCommandLine(args);
    if (!parsed.ok) {
        std::cerr << program << ": " << parsed.error << "\nTry '" << program << " --help'.\n";
        return kExitUsage;
    }
    const Options &options = parsed.options;
    if (options.command == Command::Help) {
        std::cout << helpText(program, options.helpTopic);
        return kExitOk;
    }

    std::string error;
    auto library = CameraLibrary::load(options.library, error);
    if (!library) {
        std::cerr << program << ": " << error << "\n";
        return kExitNoLibrary;
    }

    installCancelHandler();
    Console console{std::cout, std::cerr, false, 80, askUser};
    console.progressBar = isTerminal(stdout);
    console.width = console.progressBar ? terminalWidth() : 80;
    return runCameraCommand(library->api(), options, console);
}
