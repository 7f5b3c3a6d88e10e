#include "site_store.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <vector>

#include "platform/registry_key.h"
#include "platform/win32_handles.h"

namespace webpost {

namespace {

using platform::RegistryKey;

// A value of the type the site's layout gives it, else none: a URL stored
// as anything but text makes the site corrupt. Text ends at its first NUL.
std::optional<std::string> ReadValue(const RegistryKey &key, const char *name, DWORD wantedType) {
    DWORD type = REG_NONE;
    std::optional<std::string> value = key.ReadBytes(name, &type);
    if (!value || type != wantedType)
        return std::nullopt;
    if (wantedType == REG_SZ)
        value->resize(std::min(value->find('\0'), value->size()));
    return value;
}

std::string SiteKeyPath(const std::string &name) {
    return std::string(kSitesKey) + "\\" + name;
}

}  // namespace

SiteLookup LoadSite(const std::string &name, StoredSite &site) {
    if (name.empty() || name.find('\\') != std::string::npos)
        return SiteLookup::Missing;
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, SiteKeyPath(name));
    if (!key)
        return SiteLookup::Missing;
    std::optional<std::string> url = ReadValue(key, "URL", REG_SZ);
    std::optional<std::string> kindName = ReadValue(key, "Kind", REG_SZ);
    std::optional<DestinationKind> kind = kindName ? KindFromName(*kindName) : std::nullopt;
    if (!url || url->empty() || !kind)
        return SiteLookup::Corrupt;
    site.name = name;
    site.url = *url;
    site.kind = *kind;
    site.userName = ReadValue(key, "UserName", REG_SZ).value_or("");
    site.certSha256 = ReadValue(key, "CertSha256", REG_SZ).value_or("");
    site.fullPost = key.ReadDword("FullPost", 0) != 0;
    site.password.clear();
    if (std::optional<std::string> blob = ReadValue(key, "Password", REG_BINARY))
        site.password = UnprotectForUser(*blob).value_or("");
    return SiteLookup::Found;
}

bool SaveSite(const StoredSite &site, bool keepPassword) {
    if (site.name.empty() || site.name.find('\\') != std::string::npos)
        return false;
    const RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, SiteKeyPath(site.name));
    if (!key)
        return false;
    bool ok = key.WriteString("URL", site.url) && key.WriteString("Kind", KindName(site.kind)) &&
              key.WriteString("UserName", site.userName);
    if (!site.certSha256.empty())
        ok = ok && key.WriteString("CertSha256", site.certSha256);
    if (keepPassword && !site.password.empty()) {
        const std::string blob = ProtectForUser(site.password);
        ok = ok && !blob.empty() && key.WriteBytes("Password", REG_BINARY, blob);
    }
    return ok;
}

std::vector<std::string> ListSites() {
    return RegistryKey::Open(HKEY_CURRENT_USER, kSitesKey).SubkeyNames();
}

std::string ProtectForUser(const std::string &secret) {
    DATA_BLOB in{static_cast<DWORD>(secret.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(secret.data()))};
    DATA_BLOB out{};
    if (!::CryptProtectData(&in, L"WebPost site password", nullptr, nullptr, nullptr,
                            CRYPTPROTECT_UI_FORBIDDEN, &out))
        return {};
    platform::UniqueLocalMemory owner(out.pbData);
    return std::string(reinterpret_cast<char *>(out.pbData), out.cbData);
}

std::optional<std::string> UnprotectForUser(const std::string &blob) {
    DATA_BLOB in{static_cast<DWORD>(blob.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(blob.data()))};
    DATA_BLOB out{};
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                              &out))
        return std::nullopt;
    platform::UniqueLocalMemory owner(out.pbData);
    std::string secret(reinterpret_cast<char *>(out.pbData), out.cbData);
    ::SecureZeroMemory(out.pbData, out.cbData);
    return secret;
}

}  // namespace webpost
