#include "site_sandbox.h"

namespace webpost_test {

namespace {

constexpr const char *kSites = "Software\\WebPost\\Sites";

}  // namespace

void SiteSandbox::Clear() {
    HKEY sites = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSites, 0, KEY_ALL_ACCESS, &sites) != ERROR_SUCCESS)
        return;
    std::vector<std::string> ours;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(sites, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (std::string(name, size).rfind(Name(""), 0) == 0)
            ours.emplace_back(name, size);
    }
    for (const std::string &n : ours)
        ::RegDeleteTreeA(sites, n.c_str());
    ::RegCloseKey(sites);
}

void SiteSandbox::Store(const std::string &name, const std::string &url, const std::string &kind,
                        const std::string &user, const std::string &certSha256,
                        const std::string &passwordBlob) {
    HKEY key = nullptr;
    const std::string path = std::string(kSites) + "\\" + name;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr);
    auto text = [&](const char *value, const std::string &s) {
        ::RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE *>(s.c_str()),
                         static_cast<DWORD>(s.size() + 1));
    };
    text("URL", url);
    text("Kind", kind);
    if (!user.empty())
        text("UserName", user);
    if (!certSha256.empty())
        text("CertSha256", certSha256);
    if (!passwordBlob.empty())
        ::RegSetValueExA(key, "Password", 0, REG_BINARY,
                         reinterpret_cast<const BYTE *>(passwordBlob.data()),
                         static_cast<DWORD>(passwordBlob.size()));
    ::RegCloseKey(key);
}

std::string SiteSandbox::Value(const std::string &name, const char *value) const {
    const std::string path = std::string(kSites) + "\\" + name;
    char buffer[1024];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, path.c_str(), value, RRF_RT_ANY, &type, buffer, &size) !=
        ERROR_SUCCESS)
        return "<missing>";
    if (type == REG_SZ)
        return std::string(buffer);
    return std::string(buffer, size);
}

}  // namespace webpost_test
