#include "open_command.h"

#include <cstdio>

namespace zephyne {

std::optional<std::string> BuildOpenCommand(const std::string &registered,
                                            const std::string &address) {
    std::string command = registered;
    size_t cut = command.find("\"%1\"");
    if (cut == std::string::npos)
        cut = command.find("%1");
    if (cut != std::string::npos)
        command.erase(cut);
    command += ' ';
    command += address;
    if (command.size() + 1 > kOpenCommandCapacity)
        return std::nullopt;
    return command;
}

std::string OpenErrorMessage(int code) {
    const char *text = nullptr;
    switch (code) {
    case 0:
        text = "The operating system is out\nof memory or resources.";
        break;
    case 2:
        text = "The specified file was not found.";
        break;
    case 3:
        text = "The specified path was not found.";
        break;
    case 5:
        text = "The operating system denied\naccess to the specified file.";
        break;
    case 8:
        text = "There was not enough memory to complete the operation.";
        break;
    case 11:
        text = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case 26:
        text = "A sharing violation occurred. ";
        break;
    case 27:
        text = "The filename association is\nincomplete or invalid.";
        break;
    case 28:
        text = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29:
        text = "The DDE transaction failed.";
        break;
    case 30:
        text = "The DDE transaction could not\nbe completed because other DDE "
               "transactions\nwere being processed.";
        break;
    case 31:
        text = "There is no application associated\nwith the given filename extension.";
        break;
    case 32:
        text = "The specified dynamic-link library was not found.";
        break;
    default:
        break;
    }
    std::string line;
    if (text) {
        line = text;
    } else {
        char unknown[64];
        std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", code);
        line = unknown;
    }
    return "Unable to open hyperlink:\n\n" + line;
}

}  // namespace zephyne
