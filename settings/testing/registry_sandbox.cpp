#include "registry_sandbox.h"

#include <atomic>

namespace testsupport {

using settings::RegKey;

namespace {
std::string UniqueRootPath() {
    static std::atomic<unsigned> counter{0};
    return "Software\\SuiteRegistrySandbox-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
}
}  // namespace

RegistrySandbox::RegistrySandbox(Software software) : rootPath_(UniqueRootPath()) {
    RegDeleteTreeA(HKEY_CURRENT_USER, rootPath_.c_str());
    HKEY root = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, rootPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &root, nullptr) != ERROR_SUCCESS)
        return;
    root_ = RegKey(root);
    if (software == Software::Present) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root, "Software", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        RegCloseKey(key);
    }
    ready_ = RegOverridePredefKey(HKEY_CURRENT_USER, root) == ERROR_SUCCESS;
}

RegistrySandbox::~RegistrySandbox() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    root_.Close();
    RegDeleteTreeA(HKEY_CURRENT_USER, rootPath_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, rootPath_.c_str());
}

RegKey RegistrySandbox::OpenBelow(const std::string &path) const {
    HKEY key = nullptr;
    if (!root_ ||
        RegOpenKeyExA(root_.Get(), path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

std::vector<std::string> RegistrySandbox::SubkeyNames(const std::string &path) const {
    std::vector<std::string> names;
    RegKey key = OpenBelow(path);
    if (!key)
        return names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

DWORD RegistrySandbox::ValueCount(const std::string &path) const {
    RegKey key = OpenBelow(path);
    DWORD values = 0;
    if (!key || RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return values;
}

bool RegistrySandbox::SetRaw(const std::string &path, const std::string &name, DWORD type,
                             const std::string &bytes) const {
    HKEY raw = nullptr;
    if (!root_ || RegCreateKeyExA(root_.Get(), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    RegKey key(raw);
    return RegSetValueExA(key.Get(), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE *>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool RegistrySandbox::GetRaw(const std::string &path, const std::string &name, DWORD &type,
                             std::string &bytes) const {
    RegKey key = OpenBelow(path);
    DWORD size = 0;
    if (!key ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    bytes.assign(size, '\0');
    return RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE *>(&bytes[0]), &size) == ERROR_SUCCESS &&
           (bytes.resize(size), true);
}

}  // namespace testsupport
