#pragma once
#include <windows.h>
#include <string>

// The text of string resource `id` in `module`; empty when the module has no
// such string (a missing string and an empty one are the same to callers).
std::string LoadResourceString(HMODULE module, UINT id);
