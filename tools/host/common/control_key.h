// The control key of the stand-in host as both sides use it: the server reads
// answers and the side-channel path and writes log lines and its process
// entry; the tests' control library writes answers and reads the rest. Each
// side opens the key itself (the server below its HKEY_CURRENT_USER, the
// tests below the user's real one) and hands the open key in. Windows only.
#ifndef TOOLS_HOST_CONTROL_KEY_H
#define TOOLS_HOST_CONTROL_KEY_H

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "answers.h"
#include "platform/registry_key.h"

namespace standin {

// Opens `path` below `parent` for reading and writing, creating missing
// levels when `create`; an empty key when that fails.
platform::RegistryKey OpenKey(HKEY parent, const std::string &path, bool create);

// Reads with the answer's default for every value that is missing.
Answers ReadAnswers(HKEY control);
void WriteAnswers(HKEY control, const Answers &answers);

std::optional<DWORD> ReadDword(HKEY key, const char *name);
std::optional<std::string> ReadString(HKEY key, const char *name);
bool WriteDword(HKEY key, const char *name, DWORD value);
bool WriteString(HKEY key, const char *name, const std::string &text);

// The log lines, oldest first; appending names the line after the count of
// lines already there.
std::vector<std::string> ReadLogLines(HKEY control);
bool AppendLogLine(HKEY control, const std::string &line);

}  // namespace standin

#endif
