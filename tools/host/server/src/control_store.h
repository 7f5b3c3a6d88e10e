#pragma once
// The server's side of the control key (standin_protocol.h) below its own
// HKEY_CURRENT_USER: the answers of the moment, the log, the side-channel
// values, and the entry that marks this process as running for as long as
// the entry object lives. Every call opens the key afresh, so a test may
// change answers between two calls.

#include <windows.h>

#include <string>

#include "answers.h"
#include "call_log_line.h"

namespace standin {

Answers CurrentAnswers();
void LogCall(const CallRecord &call);
// FromVesko, VeskoLaunchApp and PCCardDrive as they are now in the key the
// test named (standin::kDefaultSideChannelKey when it named none).
SideChannel ReadSideChannel();
// The path below HKEY_CURRENT_USER of those values: the applet's Sdk key.
std::string SideChannelPath();
// The end of the camera work for scripts (kTaskOutcome); empty removes it.
void WriteTaskOutcome(const std::string &outcome);

class RunningEntry {
public:
    RunningEntry();
    ~RunningEntry();
    RunningEntry(const RunningEntry &) = delete;
    RunningEntry &operator=(const RunningEntry &) = delete;
};

}  // namespace standin
