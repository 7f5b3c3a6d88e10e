#include "commands.h"

#include "camera_session.h"
#include "cancel_request.h"
#include "error_text.h"
#include "exit_codes.h"

namespace pdrcam {

int reportCameraError(Console &console, const std::string &what, int code) {
    console.err << what << ": " << cameraErrorText(code) << " (code " << code << ")\n";
    return exitCodeForCamera(code);
}

int runCameraCommand(const CameraApi &api, const Options &options, Console &console) {
    CameraSession session(api);
    const int code = session.open(options.port, options.speed);
    if (code != CAM_OK) {
        const std::string where =
            options.port == 0 ? "no camera found on ports 1 to 9"
                              : "cannot reach the camera on port " + std::to_string(options.port);
        return reportCameraError(console, where, code);
    }
    int status = kExitOk;
    switch (options.command) {
    case Command::Info:
        status = runInfo(api, options, session.port(), console);
        break;
    case Command::List:
        status = runList(api, console);
        break;
    case Command::Get:
        status = runGet(api, options, console);
        break;
    case Command::Erase:
        status = runErase(api, options, console);
        break;
    case Command::Help:
        break;
    }
    if (status == kExitOk && cancelRequested())
        status = kExitCancelled;
    return status;
}

}  // namespace pdrcam
