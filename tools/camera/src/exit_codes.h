// What the program's exit status tells a script; listed in --help.
#pragma once

namespace pdrcam {

enum ExitCode : int {
    kExitOk = 0,
    kExitCameraError = 1,   // the library reported a failure for some picture or request
    kExitUsage = 2,         // the command line could not be understood
    kExitNoCamera = 3,      // no port, or no camera answering on it
    kExitNoLibrary = 4,     // the camera library could not be loaded or lacks an export
    kExitFileError = 5,     // the output folder or a file in it could not be written
    kExitNotConfirmed = 6,  // an erase was not confirmed
    kExitCancelled = 130,   // interrupted (Ctrl-C)
};

// The exit status for a failure the library reported with `code`.
int exitCodeForCamera(int code);

}  // namespace pdrcam
