#include "app_profile.h"

#include <windows.h>

#include <vector>

namespace {
std::string ExecutablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= 32768) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}
}  // namespace

std::string AppProfileFileName() {
  std::string name = ExecutablePath();
  const std::string::size_type slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::string::size_type dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".INI";
}

int ReadAppProfileInt(const std::string& section, const std::string& entry, int defaultValue) {
  return static_cast<int>(GetPrivateProfileIntA(section.c_str(), entry.c_str(), defaultValue,
                                                AppProfileFileName().c_str()));
}
