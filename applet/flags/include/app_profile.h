#pragma once
#include <string>

// The application's profile: the INI file named after the executable, in the
// Windows folder (a bare file name resolves there).
std::string AppProfileFileName();

// An integer entry of that profile, or `defaultValue`.
int ReadAppProfileInt(const std::string& section, const std::string& entry, int defaultValue);
