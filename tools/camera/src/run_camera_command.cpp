#include "commands.h"

#include "camera_session.h"
#include "cancel_request.h"
#include "error_text.h"
#include "exit_codes.h"
#include "serial_port.h"

namespace pdrcam {

int reportCameraError(Console &console, const std::string &what, int code) {
    console.err << "pdrcam: " << what << ": " << cameraErrorText(code) << " (code " << code
                << ")\n";
    return exitCodeForCamera(code);
}

int runCameraCommand(const CameraApi &api, const Options &options, Console &console) {
    if (options.command == Command::Detect)
        return runDetect(api, console);
    CameraSession session(api);
    const int code = session.open(options.port, options.speed);
    if (code != CAM_OK) {
        if (cancelRequested())
            return cancelExitCode();
        if (options.port == 0) {
            console.err << "pdrcam: no camera answered on ports 1 to 9\n";
            return kExitNoCamera;
        }
        // A port that did not open fails for a reason of the system's; say
        // that rather than blame the camera.
        const std::string problem = code == CAM_ERR_NO_PORT ? portProblem(options.port) : "";
        if (!problem.empty()) {
            console.err << "pdrcam: " << problem << "\n";
            return kExitNoCamera;
        }
        if (code == CAM_ERR_OPEN) {
            console.err << "pdrcam: no camera answered on port " << options.port << " ("
                        << portDevice(options.port) << ") at any of its speeds\n";
            return kExitNoCamera;
        }
        return reportCameraError(console,
                                 "no camera on port " + std::to_string(options.port) + " (" +
                                     portDevice(options.port) + ")",
                                 code);
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
    case Command::Version:
    case Command::Detect:
        break;
    }
    if (status == kExitOk && cancelRequested())
        status = cancelExitCode();
    return status;
}

}  // namespace pdrcam
