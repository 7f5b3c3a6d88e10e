#pragma once
// Opening an address for the hyperlink static control: through the shell,
// else through the open command registered for ".htm" files; and the message
// box that explains a failure.
#include <string>

namespace zephyne {

// The reply of the last way tried: above 32 means opened. The shell's reply
// stands when the ".htm" type or its command is not registered, and when the
// command line with the address would not fit its 520-byte buffer (the
// command is then not run).
int OpenLink(const std::string &address, int showCommand);

// "Unable to open hyperlink:" and the line for `code`, in a message box with
// the exclamation icon and OK, captioned with the application's title.
void ReportOpenError(int code);

}  // namespace zephyne
