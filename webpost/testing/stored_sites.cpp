#include "stored_sites.h"

#include <wincrypt.h>

#include "platform/win32_handles.h"

namespace testsupport {

namespace {

std::string SitePath(const std::string &name) {
    return "Software\\WebPost\\Sites\\" + name;
}

std::string Text(const std::string &text) {
    return std::string(text.c_str(), text.size() + 1);
}

}  // namespace

void StoredSites::Store(const std::string &name, const std::string &url, const std::string &kind,
                        const std::string &user, const std::string &certSha256,
                        const std::string &passwordBlob) const {
    const std::string path = SitePath(name);
    registry_.SetRaw(path, "URL", REG_SZ, Text(url));
    registry_.SetRaw(path, "Kind", REG_SZ, Text(kind));
    if (!user.empty())
        registry_.SetRaw(path, "UserName", REG_SZ, Text(user));
    if (!certSha256.empty())
        registry_.SetRaw(path, "CertSha256", REG_SZ, Text(certSha256));
    if (!passwordBlob.empty())
        registry_.SetRaw(path, "Password", REG_BINARY, passwordBlob);
}

void StoredSites::StoreNumber(const std::string &name, const std::string &value,
                              DWORD number) const {
    registry_.SetRaw(SitePath(name), value, REG_DWORD,
                     std::string(reinterpret_cast<const char *>(&number), sizeof number));
}

std::string StoredSites::Value(const std::string &name, const std::string &value) const {
    DWORD type = REG_NONE;
    std::string bytes;
    if (!registry_.GetRaw(SitePath(name), value, type, bytes))
        return "<missing>";
    if (type == REG_SZ)
        return bytes.c_str();
    return bytes;
}

std::string ProtectedPassword(const std::string &password) {
    DATA_BLOB in{static_cast<DWORD>(password.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(password.data()))};
    DATA_BLOB out{};
    if (!::CryptProtectData(&in, L"test", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                            &out))
        return {};
    const platform::UniqueLocalMemory owner(out.pbData);
    return std::string(reinterpret_cast<char *>(out.pbData), out.cbData);
}

std::string UnprotectedPassword(const std::string &blob) {
    DATA_BLOB in{static_cast<DWORD>(blob.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(blob.data()))};
    DATA_BLOB out{};
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                              &out))
        return {};
    const platform::UniqueLocalMemory owner(out.pbData);
    return std::string(reinterpret_cast<char *>(out.pbData), out.cbData);
}

}  // namespace testsupport
