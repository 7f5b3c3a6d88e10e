#pragma once
// Interrupts during camera work: Ctrl-C (SIGINT), SIGTERM and, where the
// platform has it, a closed terminal (SIGHUP). The first one asks the running
// transfer to stop (the progress callback then answers 0 and the library
// returns "cancelled"), so that the working file is removed and the session
// closed cleanly; a second one ends the program at once. A prompt waiting for
// an answer returns at once too.

namespace pdrcam {

void installCancelHandler();
bool cancelRequested();
// The exit status of a run ended by the request: 128 + the signal's number
// (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP).
int cancelExitCode();
// Lets tests raise and clear the request without a signal (as Ctrl-C).
void setCancelRequested(bool requested);

}  // namespace pdrcam
