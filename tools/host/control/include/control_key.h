#pragma once
// The control key of the stand-in host as both sides use it: the server reads
// answers and the side-channel path and writes log lines and its process
// entry; the tests' control library writes answers and reads the rest. Each
// side opens the key itself (the server below its HKEY_CURRENT_USER, the
// tests below the user's real one) and hands the open key in, so that this
// code never decides which user's registry it works in. Windows only.

#include <string>
#include <vector>

#include "answers.h"
#include "platform/registry_key.h"

namespace standin {

// Reads with the answer's default for every value that is missing.
Answers ReadAnswers(const platform::RegistryKey &control);
void WriteAnswers(const platform::RegistryKey &control, const Answers &answers);

// The log lines, oldest first; appending names the line after the count of
// lines already there.
std::vector<std::string> ReadLogLines(const platform::RegistryKey &control);
bool AppendLogLine(const platform::RegistryKey &control, const std::string &line);

}  // namespace standin
