#pragma once
// The local paths of a post as the wizard's text box holds them: one a line.

#include <string>
#include <vector>

namespace webpost {

// The lines of `text` (ended by CR, LF or both), each without the blanks and
// tabs around it; blank lines are dropped.
std::vector<std::string> PathLines(const std::string &text);

// The paths one a line, CR LF between them, as a multi-line text box wants.
std::string JoinPathLines(const std::vector<std::string> &paths);

}  // namespace webpost
