#include "settings_store.h"

namespace settings {

// The value rules (four bytes of any type for a number, text up to the first
// NUL) are the registry key's own; stored settings rely on them.

int32_t ReadRegDword(const std::string &subkey, const std::string &name, int32_t defaultValue) {
    return static_cast<int32_t>(
        OpenAppKey(subkey).ReadDword(name, static_cast<uint32_t>(defaultValue)));
}

std::string ReadRegString(const std::string &subkey, const std::string &name,
                          const std::string &defaultText) {
    return OpenAppKey(subkey).ReadString(name, defaultText);
}

bool WriteRegDword(const std::string &subkey, const std::string &name, int32_t value) {
    return OpenAppKey(subkey).WriteDword(name, static_cast<uint32_t>(value));
}

bool WriteRegString(const std::string &subkey, const std::string &name,
                    const std::optional<std::string> &text) {
    const RegKey key = OpenAppKey(subkey);
    return text ? key.WriteString(name, *text) : key.DeleteValue(name);
}

}  // namespace settings
