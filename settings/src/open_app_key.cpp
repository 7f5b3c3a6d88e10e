#include "framework/res_string.h"
#include "settings_store.h"

namespace settings {

namespace {

// Every level is opened for reading and writing alike (KEY_READ | KEY_WRITE,
// 0x2001F): the same handle serves reads, writes and deletions.
constexpr REGSAM kKeyAccess = KEY_READ | KEY_WRITE;

RegKey CreateOrOpen(const RegKey &parent, const std::string &name) {
    // An empty name opens the parent itself; a name with backslashes creates
    // each missing level on the way.
    return RegKey::Create(parent.Get(), name, kKeyAccess);
}

}  // namespace

RegKey OpenAppKey(const std::string &subkey) {
    // "Software" is never created: a user profile without it is left alone.
    RegKey level = RegKey::Open(HKEY_CURRENT_USER, "Software", kKeyAccess);
    if (!level)
        return RegKey();

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
