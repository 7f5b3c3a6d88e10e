#include "program_options.h"

#include <cstdint>
#include <functional>
#include <map>

#include "fault_option.h"
#include "speed_codes.h"

namespace pdrsim {

namespace {

long parseInteger(const std::string &option, const std::string &value, long low, long high) {
    size_t used = 0;
    long n = 0;
    try {
        n = std::stol(value, &used, 0);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used == 0 || used != value.size() || n < low || n > high)
        throw UsageError(option + ": expected a number from " + std::to_string(low) + " to " +
                         std::to_string(high));
    return n;
}

camsim::ThumbnailMix parseThumbnailMix(const std::string &value) {
    if (value == "mixed")
        return camsim::ThumbnailMix::Mixed;
    if (value == "plain")
        return camsim::ThumbnailMix::Plain;
    if (value == "avi")
        return camsim::ThumbnailMix::Avi;
    throw UsageError("--thumbnails: expected mixed, plain or avi");
}

}  // namespace

std::string usageText() {
    return "usage: pdr-sim [options]\n"
           "Simulates a PDR-M4 camera on a pseudo-terminal (whose path is printed on\n"
           "stdout) or on a serial device.\n"
           "\n"
           "  --device PATH         serve on this serial device instead of a pseudo-terminal\n"
           "  --link PATH           make PATH a symlink to the pseudo-terminal (removed at exit)\n"
           "  --pictures DIR        serve the *.jpg files of DIR (default: built-in pictures)\n"
           "  --export DIR          write the served pictures and thumbnail stills to DIR\n"
           "  --first-group N       number of the first group (default 100; 0 allowed)\n"
           "  --per-group N         pictures per group (default 9)\n"
           "  --thumbnails KIND     mixed (default), plain or avi\n"
           "  --maker TEXT          answer to the maker command (default Toshiba)\n"
           "  --version-text TEXT   answer to the version command (default V1.05)\n"
           "  --memory-status N     memory status value, -32768..32767 (default 57)\n"
           "  --start-speed BPS     start at this line speed, as left by a host that never\n"
           "                        closed its session (default 19200)\n"
           "  -v, --verbose         log every command and answer on stderr\n"
           "  --help                show this text\n"
           "\n"
           "Faults, each WHEN = [CODE/]N[*TIMES][:ARG]: hit the Nth command (counting\n"
           "only commands of CODE if given, e.g. 0x17/3) and TIMES-1 more after it:\n"
           "  --drop-header WHEN    answer nothing\n"
           "  --stall WHEN:BYTES    send the header and BYTES payload bytes, then nothing\n"
           "  --busy WHEN[:HEX]     status 0x80 with the normal payload or the given one\n"
           "  --refuse WHEN:STATUS  refuse with STATUS (0x80..0xFF), no payload\n"
           "  --wrong-code WHEN     answer with a wrong command code byte\n"
           "  --change-after WHEN[:WHICH]  after the Nth picture-data request a picture\n"
           "                        vanishes from the camera; the next command except the\n"
           "                        ready probe gets status 137. WHICH, relative to the\n"
           "                        picture asked for: last (default; the last picture\n"
           "                        other than that one), before (the one listed just\n"
           "                        before it), current (that one), after (the one listed\n"
           "                        just after it); with no such neighbour only the 137\n"
           "                        comes\n"
           "\n"
           "SIGHUP builds the picture set again (re-reading --pictures DIR) while the\n"
           "camera goes on answering; the new set takes the old one's place between two\n"
           "answers, and the host's next command except the ready probe gets status 137.\n"
           "SIGTERM and SIGINT end the program and remove the --link symlink.\n";
}

ProgramOptions parseProgramOptions(int argc, const char *const *argv) {
    ProgramOptions o;
    using Setter = std::function<void(const std::string &, const std::string &)>;
    auto fault = [&o](camsim::FaultKind kind) -> Setter {
        return [&o, kind](const std::string &name, const std::string &value) {
            try {
                o.faults.push_back(camsim::parseFaultOption(kind, value));
            } catch (const std::invalid_argument &e) {
                throw UsageError(name + ": " + e.what());
            }
        };
    };
    const std::map<std::string, Setter> withValue = {
        {"--device", [&](auto &, auto &v) { o.device = v; }},
        {"--link", [&](auto &, auto &v) { o.link = v; }},
        {"--pictures", [&](auto &, auto &v) { o.pictures = v; }},
        {"--export", [&](auto &, auto &v) { o.exportDir = v; }},
        {"--first-group",
         [&](auto &n, auto &v) {
             o.layout.firstGroup = static_cast<uint16_t>(parseInteger(n, v, 0, 65000));
         }},
        {"--per-group",
         [&](auto &n, auto &v) {
             o.layout.perGroup = static_cast<unsigned>(parseInteger(n, v, 1, 9999));
         }},
        {"--thumbnails", [&](auto &, auto &v) { o.layout.thumbnails = parseThumbnailMix(v); }},
        {"--maker", [&](auto &, auto &v) { o.profile.maker = v; }},
        {"--version-text", [&](auto &, auto &v) { o.profile.version = v; }},
        {"--memory-status",
         [&](auto &n, auto &v) {
             o.profile.memoryStatus = static_cast<int16_t>(parseInteger(n, v, -32768, 32767));
         }},
        {"--start-speed",
         [&](auto &n, auto &v) {
             const long speed = parseInteger(n, v, 1, 230400);
             bool known = false;
             for (uint8_t code = 1; code <= 18; ++code)
                 known = known || camsim::lineSpeedForCode(code) == speed;
             if (!known)
                 throw UsageError(n + ": not a speed of the camera's");
             o.profile.startSpeed = static_cast<uint32_t>(speed);
         }},
        {"--drop-header", fault(camsim::FaultKind::DropResponse)},
        {"--stall", fault(camsim::FaultKind::StallPayload)},
        {"--busy", fault(camsim::FaultKind::Busy)},
        {"--refuse", fault(camsim::FaultKind::Refuse)},
        {"--wrong-code", fault(camsim::FaultKind::WrongCode)},
        {"--change-after", fault(camsim::FaultKind::ChangePictures)},
    };

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (arg == "-v" || arg == "--verbose") {
            o.verbose = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.erase(eq);
            hasValue = true;
        }
        const auto it = withValue.find(arg);
        if (it == withValue.end())
            throw UsageError("unknown option " + arg);
        if (!hasValue) {
            if (i + 1 >= argc)
                throw UsageError(arg + " needs a value");
            value = argv[++i];
        }
        it->second(arg, value);
    }
    if (!o.device.empty() && !o.link.empty())
        throw UsageError("--link applies to the pseudo-terminal, not to --device");
    return o;
}

}  // namespace pdrsim
