#pragma once
// The program's --help and per-command help.

#include <string>

namespace pdrcam {

// Help for `topic` (a command name) or, when empty or unknown, the overview.
std::string helpText(const std::string &program, const std::string &topic);

// "pdrcam 1.1" and the camera library it expects.
std::string versionText(const std::string &program);

}  // namespace pdrcam
