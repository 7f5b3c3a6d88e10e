// Numbered string resources of the application's resource module.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// The string, in the system code page; empty when there is none.
std::string LoadResString(UINT id);
std::string LoadResString(HMODULE module, UINT id);

// Every "%1" of `pattern` replaced by `arg`; text inside `arg` is not
// looked at again.
std::string SubstituteArg(const std::string &pattern, const std::string &arg);

// LoadResString(id) with every "%1" replaced by `arg`.
std::string FormatResString(UINT id, const std::string &arg);

}  // namespace fw
