#pragma once
// What the program's exit status tells a script; listed in --help.

namespace pdrcam {

enum ExitCode : int {
    kExitOk = 0,
    kExitCameraError = 1,   // the library reported a failure for some picture or request
    kExitUsage = 2,         // the command line could not be understood
    kExitNoCamera = 3,      // no port, or no camera answering on it
    kExitNoLibrary = 4,     // the camera library could not be loaded or lacks an export
    kExitFileError = 5,     // the output folder or a file in it could not be written
    kExitNotConfirmed = 6,  // an erase was not confirmed
    kExitPicturesChanged = 7,  // the camera's pictures changed under the run
    kExitCancelled = 130,   // interrupted (Ctrl-C, SIGINT)
    kExitHangUp = 129,      // the terminal closed (SIGHUP)
    kExitTerminated = 143,  // asked to end (SIGTERM)
};

// The exit status for a failure the library reported with `code`.
// Cancelled gives the interrupting signal's status, a failed file write 5.
int exitCodeForCamera(int code);

// Whether the run must stop: the camera's pictures changed under it, so
// every picture number it holds may name another picture now.
bool picturesChanged(int code);

// Codes after which no camera is left to talk to: the port could not be
// opened, or the session could not be opened again (no answer to the probe).
// A single lost or cut answer (4, 10) breaks the session, and the next
// picture's re-opening tells whether the camera is still there. A run stops
// at the first of them.
bool cameraGone(int code);

}  // namespace pdrcam
