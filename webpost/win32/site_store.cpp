#include "site_store.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "unique_handles.h"

namespace webpost {

namespace {

std::optional<std::string> ReadValue(HKEY key, const char *name, DWORD wantedType) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != wantedType)
        return std::nullopt;
    std::string value(size, '\0');
    if (size && ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value[0]),
                                   &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(size);
    if (wantedType == REG_SZ) {
        const auto nul = value.find('\0');
        if (nul != std::string::npos)
            value.resize(nul);
    }
    return value;
}

bool WriteValue(HKEY key, const char *name, DWORD type, const std::string &value) {
    const DWORD size = static_cast<DWORD>(value.size() + (type == REG_SZ ? 1 : 0));
    return ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE *>(value.c_str()),
                            size) == ERROR_SUCCESS;
}

std::string SiteKeyPath(const std::string &name) {
    return std::string(kSitesKey) + "\\" + name;
}

}  // namespace

SiteLookup LoadSite(const std::string &name, StoredSite &site) {
    if (name.empty() || name.find('\\') != std::string::npos)
        return SiteLookup::Missing;
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, SiteKeyPath(name).c_str(), 0, KEY_READ, &raw) !=
        ERROR_SUCCESS)
        return SiteLookup::Missing;
    UniqueKey key(raw);
    std::optional<std::string> url = ReadValue(key.Get(), "URL", REG_SZ);
    std::optional<std::string> kindName = ReadValue(key.Get(), "Kind", REG_SZ);
    std::optional<DestinationKind> kind = kindName ? KindFromName(*kindName) : std::nullopt;
    if (!url || url->empty() || !kind)
        return SiteLookup::Corrupt;
    site.name = name;
    site.url = *url;
    site.kind = *kind;
    site.userName = ReadValue(key.Get(), "UserName", REG_SZ).value_or("");
    site.certSha256 = ReadValue(key.Get(), "CertSha256", REG_SZ).value_or("");
    site.password.clear();
    if (std::optional<std::string> blob = ReadValue(key.Get(), "Password", REG_BINARY))
        site.password = UnprotectForUser(*blob).value_or("");
    return SiteLookup::Found;
}

bool SaveSite(const StoredSite &site, bool keepPassword) {
    if (site.name.empty() || site.name.find('\\') != std::string::npos)
        return false;
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, SiteKeyPath(site.name).c_str(), 0, nullptr, 0,
                          KEY_READ | KEY_WRITE, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(raw);
    bool ok = WriteValue(key.Get(), "URL", REG_SZ, site.url) &&
              WriteValue(key.Get(), "Kind", REG_SZ, KindName(site.kind)) &&
              WriteValue(key.Get(), "UserName", REG_SZ, site.userName);
    if (!site.certSha256.empty())
        ok = ok && WriteValue(key.Get(), "CertSha256", REG_SZ, site.certSha256);
    if (keepPassword && !site.password.empty()) {
        const std::string blob = ProtectForUser(site.password);
        ok = ok && !blob.empty() && WriteValue(key.Get(), "Password", REG_BINARY, blob);
    }
    return ok;
}

std::vector<std::string> ListSites() {
    std::vector<std::string> names;
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSitesKey, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return names;
    UniqueKey key(raw);
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

std::string ProtectForUser(const std::string &secret) {
    DATA_BLOB in{static_cast<DWORD>(secret.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(secret.data()))};
    DATA_BLOB out{};
    if (!::CryptProtectData(&in, L"WebPost site password", nullptr, nullptr, nullptr,
                            CRYPTPROTECT_UI_FORBIDDEN, &out))
        return {};
    UniqueLocalMemory owner(out.pbData);
    return std::string(reinterpret_cast<char *>(out.pbData), out.cbData);
}

std::optional<std::string> UnprotectForUser(const std::string &blob) {
    DATA_BLOB in{static_cast<DWORD>(blob.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(blob.data()))};
    DATA_BLOB out{};
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                              &out))
        return std::nullopt;
    UniqueLocalMemory owner(out.pbData);
    std::string secret(reinterpret_cast<char *>(out.pbData), out.cbData);
    ::SecureZeroMemory(out.pbData, out.cbData);
    return secret;
}

}  // namespace webpost
