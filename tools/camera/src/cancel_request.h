// Ctrl-C during camera work: the first one asks the running transfer to stop
// (the progress callback then answers 0 and the library returns "cancelled"),
// so the session can still be closed cleanly; a second one ends the program.
#pragma once

namespace pdrcam {

void installCancelHandler();
bool cancelRequested();
// Lets tests raise and clear the request without a signal.
void setCancelRequested(bool requested);

}  // namespace pdrcam
