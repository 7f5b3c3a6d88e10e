#include <vector>

#include "settings_store.h"

namespace settings {

int32_t ReadRegDword(const std::string &subkey, const std::string &name, int32_t defaultValue) {
    RegKey key = OpenAppKey(subkey);
    if (!key)
        return defaultValue;
    // Zero-filled so that data shorter than four bytes gives defined upper bytes.
    BYTE data[4] = {0, 0, 0, 0};
    DWORD size = sizeof data;
    // The registry type is deliberately not examined: four bytes of any type read
    // as a number, as stored settings may rely on.
    LONG status = RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, data, &size);
    key.Close();
    if (status != ERROR_SUCCESS)
        return defaultValue;
    uint32_t value = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                     uint32_t(data[3]) << 24;
    return static_cast<int32_t>(value);
}

std::string ReadRegString(const std::string &subkey, const std::string &name,
                          const std::string &defaultText) {
    RegKey key = OpenAppKey(subkey);
    if (!key)
        return defaultText;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return defaultText;
    // One spare byte so that a zero-length value still has a buffer to point at.
    std::vector<char> data(size + 1, '\0');
    DWORD got = size;
    LONG status = RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE *>(data.data()), &got);
    key.Close();
    if (status != ERROR_SUCCESS || got > size)
        return defaultText;
    // Up to the first NUL, or all of the data when it holds none.
    std::string text(data.data(), got);
    std::string::size_type nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return text;
}

bool WriteRegDword(const std::string &subkey, const std::string &name, int32_t value) {
    RegKey key = OpenAppKey(subkey);
    if (!key)
        return false;
    const uint32_t bits = static_cast<uint32_t>(value);
    const BYTE data[4] = {BYTE(bits), BYTE(bits >> 8), BYTE(bits >> 16), BYTE(bits >> 24)};
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, data, sizeof data) ==
           ERROR_SUCCESS;
}

bool WriteRegString(const std::string &subkey, const std::string &name,
                    const std::optional<std::string> &text) {
    RegKey key = OpenAppKey(subkey);
    if (!key)
        return false;
    if (!text)
        return RegDeleteValueA(key.Get(), name.c_str()) == ERROR_SUCCESS;
    const DWORD sizeWithNul = static_cast<DWORD>(text->size() + 1);
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE *>(text->c_str()),
                          sizeWithNul) == ERROR_SUCCESS;
}

}  // namespace settings
