#include "commands.h"

#include "exit_codes.h"

#include <iomanip>
#include <vector>

namespace pdrcam {
namespace {

void row(Console &console, const char *name, const std::string &value) {
    console.out << std::left << std::setw(16) << name << value << "\n";
}

}  // namespace

int runInfo(const CameraApi &api, const Options &options, int port, Console &console) {
    int status = kExitOk;
    std::vector<char> text(CAM_TEXT_CAPACITY, '\0');

    row(console, "Port:", std::to_string(port));
    row(console, "Line speed:",
        std::to_string(options.speed.bitsPerSecond) + " bits per second (class " +
            std::to_string(options.speed.code) + ")");

    int code = api.Cam_get_maker(text.data());
    if (code == CAM_OK)
        row(console, "Maker:", text.data());
    else
        status = reportCameraError(console, "maker", code);

    std::fill(text.begin(), text.end(), '\0');
    api.Cam_get_cam_type(text.data());
    row(console, "Model:", text.data());

    std::fill(text.begin(), text.end(), '\0');
    code = api.Cam_get_version(text.data());
    if (code == CAM_OK)
        row(console, "Version:", text.data());
    else
        status = reportCameraError(console, "version", code);

    // The library answers 0 both for a failure and for a status of 0; only a
    // changed last error tells a failure.
    const int memory = api.Cam_get_memory_status();
    row(console, "Memory status:", std::to_string(memory));

    const int count = api.Cam_get_picture_count();
    if (count >= 0)
        row(console, "Pictures:", std::to_string(count));
    else
        status = reportCameraError(console, "picture count", api.Cam_error());
    return status;
}

}  // namespace pdrcam
