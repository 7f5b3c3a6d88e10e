#pragma once
// The program's commands, each over the camera library's export table.

#include "camera_api.h"
#include "command_line.h"
#include "console.h"

namespace pdrcam {

// Opens a session, runs the command and closes the session; the exit status.
int runCameraCommand(const CameraApi &api, const Options &options, Console &console);

// The commands themselves, run inside an open session.
// Asks every port that opens who answers; needs no session of its own.
int runDetect(const CameraApi &api, Console &console);
int runInfo(const CameraApi &api, const Options &options, int port, Console &console);
int runList(const CameraApi &api, Console &console);
int runGet(const CameraApi &api, const Options &options, Console &console);
int runErase(const CameraApi &api, const Options &options, Console &console);

// Reports a library failure of `what` on the error stream; its exit status.
int reportCameraError(Console &console, const std::string &what, int code);

}  // namespace pdrcam
