#pragma once
// The settings store: every persistent setting lives under
// HKEY_CURRENT_USER\Software\Orvo\<product key>\<subkey>. Each call opens the
// key path afresh and closes it again, so a value changed by another program is
// seen at the next read; nothing is cached.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry_key.h"

namespace settings {

using RegKey = platform::RegistryKey;

// Where the product key's name comes from: a string resource, loaded again at
// every open. Each program names its own at start-up, before the first read.
struct ProductKeySource {
    HMODULE module = nullptr;
    UINT stringId = 0;
};

// The program's start-up names its source (the applet: its resource library's
// product-key string; the publisher: its own) before the first read or write.
void SetProductKeySource(const ProductKeySource &source);
ProductKeySource GetProductKeySource();

// Opens (creating every missing level below "Software") the subkey of the
// product key; an empty key when any level fails. A subkey may hold
// backslashes ("Web\\Publish").
RegKey OpenAppKey(const std::string &subkey);

// Four bytes of the value, whatever its registry type; `defaultValue` when the
// key or value is missing or the data is longer than four bytes. Shorter data
// is zero-filled in the upper bytes.
int32_t ReadRegDword(const std::string &subkey, const std::string &name, int32_t defaultValue);

// The value's data up to its first NUL, whatever its registry type;
// `defaultText` when the key or value cannot be read.
std::string ReadRegString(const std::string &subkey, const std::string &name,
                          const std::string &defaultText);

// Stores a REG_DWORD; true when stored.
bool WriteRegDword(const std::string &subkey, const std::string &name, int32_t value);

// With a text: stores a REG_SZ including its NUL (an empty text stores one
// byte); true when stored. With std::nullopt: deletes the value; true only when
// a value was deleted.
bool WriteRegString(const std::string &subkey, const std::string &name,
                    const std::optional<std::string> &text);
// A null pointer is not "no text": say std::nullopt to delete.
bool WriteRegString(const std::string &subkey, const std::string &name, std::nullptr_t) = delete;

}  // namespace settings
