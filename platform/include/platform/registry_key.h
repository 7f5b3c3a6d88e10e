#pragma once
// One open registry key and its values: the only code in the tree that calls
// the registry's value functions.
//
// The reading rules are those the stored settings were written under:
//  - a number is any value of at most four bytes, whatever its registry type,
//    read little-endian with missing upper bytes zero;
//  - a text is any value's data up to its first NUL, or all of it without one;
//  - a value that is absent, too long or unreadable leaves the caller's
//    default (or gives an empty optional).
// Readers that care about the stored type ask ReadBytes for it.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_handles.h"

namespace platform {

class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}

    // Opens an existing key; an empty result when it is not there or the
    // access is refused.
    static RegistryKey Open(HKEY parent, const std::string &path, REGSAM access = KEY_READ) {
        RegistryKey key;
        if (::RegOpenKeyExA(parent, path.c_str(), 0, access, key.key_.Receive()) != ERROR_SUCCESS)
            key.key_.Reset();
        return key;
    }
    // Opens a key, creating it and every missing level of `path` on the way.
    // An empty path gives a real handle to `parent` itself.
    static RegistryKey Create(HKEY parent, const std::string &path,
                              REGSAM access = KEY_READ | KEY_WRITE) {
        RegistryKey key;
        if (::RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                              nullptr, key.key_.Receive(), nullptr) != ERROR_SUCCESS)
            key.key_.Reset();
        return key;
    }

    HKEY Get() const { return key_.Get(); }
    explicit operator bool() const { return static_cast<bool>(key_); }
    HKEY Release() { return key_.Release(); }
    void Reset(HKEY key = nullptr) { key_.Reset(key); }

    // The value's data and registry type; empty when absent or unreadable.
    std::optional<std::string> ReadBytes(const std::string &name, DWORD *type = nullptr) const {
        DWORD size = 0;
        DWORD storedType = REG_NONE;
        if (!key_ || ::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &storedType, nullptr,
                                        &size) != ERROR_SUCCESS)
            return std::nullopt;
        // One spare byte, so that an empty value still has a buffer.
        std::string data(size + 1, '\0');
        DWORD got = size;
        if (::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &storedType,
                               reinterpret_cast<BYTE *>(&data[0]), &got) != ERROR_SUCCESS ||
            got > size)
            return std::nullopt;
        data.resize(got);
        if (type)
            *type = storedType;
        return data;
    }

    std::optional<uint32_t> ReadDword(const std::string &name) const {
        // Zero-filled, so that data shorter than four bytes has defined upper bytes.
        BYTE data[4] = {0, 0, 0, 0};
        DWORD size = sizeof data;
        if (!key_ || ::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, data, &size) !=
                         ERROR_SUCCESS)
            return std::nullopt;
        return uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
               uint32_t(data[3]) << 24;
    }
    uint32_t ReadDword(const std::string &name, uint32_t fallback) const {
        return ReadDword(name).value_or(fallback);
    }

    std::optional<std::string> ReadString(const std::string &name) const {
        std::optional<std::string> text = ReadBytes(name);
        if (text) {
            const std::string::size_type nul = text->find('\0');
            if (nul != std::string::npos)
                text->resize(nul);
        }
        return text;
    }
    std::string ReadString(const std::string &name, const std::string &fallback) const {
        return ReadString(name).value_or(fallback);
    }

    bool WriteBytes(const std::string &name, DWORD type, const std::string &data) const {
        return key_ && ::RegSetValueExA(key_.Get(), name.c_str(), 0, type,
                                        reinterpret_cast<const BYTE *>(data.data()),
                                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    }
    bool WriteDword(const std::string &name, uint32_t value) const {
        const BYTE data[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
        return WriteBytes(name, REG_DWORD, std::string(reinterpret_cast<const char *>(data), 4));
    }
    // Stored with its terminating NUL, as the registry's text type expects.
    bool WriteString(const std::string &name, const std::string &text) const {
        return WriteBytes(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
    }
    bool DeleteValue(const std::string &name) const {
        return key_ && ::RegDeleteValueA(key_.Get(), name.c_str()) == ERROR_SUCCESS;
    }

    std::vector<std::string> SubkeyNames() const {
        std::vector<std::string> names;
        char name[256];
        for (DWORD index = 0; key_; ++index) {
            DWORD length = sizeof name;
            if (::RegEnumKeyExA(key_.Get(), index, name, &length, nullptr, nullptr, nullptr,
                                nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        return names;
    }
    DWORD ValueCount() const {
        DWORD values = 0;
        if (!key_ || ::RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, &values, nullptr, nullptr, nullptr,
                                        nullptr) != ERROR_SUCCESS)
            return 0;
        return values;
    }

private:
    UniqueKey key_;
};

}  // namespace platform
