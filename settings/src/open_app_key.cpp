#include "framework/res_string.h"
#include "settings_store.h"

namespace settings {

namespace {

// Every level is opened for reading and writing alike (KEY_READ | KEY_WRITE,
// 0x2001F): the same handle serves reads, writes and deletions.
constexpr REGSAM kKeyAccess = KEY_READ | KEY_WRITE;

RegKey CreateOrOpen(const RegKey &parent, const std::string &name) {
    HKEY key = nullptr;
    // An empty name opens the parent itself; a name with backslashes creates
    // each missing level on the way.
    LONG status = RegCreateKeyExA(parent.Get(), name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  kKeyAccess, nullptr, &key, nullptr);
    return status == ERROR_SUCCESS ? RegKey(key) : RegKey();
}

}  // namespace

RegKey OpenAppKey(const std::string &subkey) {
    HKEY software = nullptr;
    // "Software" is never created: a user profile without it is left alone.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, kKeyAccess, &software) != ERROR_SUCCESS)
        return RegKey();
    RegKey level(software);

    level = CreateOrOpen(level, "Orvo");
    if (!level)
        return RegKey();

    // Loaded anew at every open: the key follows whatever the resource says now.
    const ProductKeySource source = GetProductKeySource();
    level = CreateOrOpen(level, fw::LoadResString(source.module, source.stringId));
    if (!level)
        return RegKey();

    return CreateOrOpen(level, subkey);
}

}  // namespace settings
