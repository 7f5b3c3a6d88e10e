#include "registry_sandbox.h"

#include <atomic>

namespace testsupport {

using platform::RegistryKey;

namespace {
std::string UniqueRootPath() {
    static std::atomic<unsigned> counter{0};
    return "Software\\SuiteRegistrySandbox-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
}
}  // namespace

RegistrySandbox::RegistrySandbox(Software software) : rootPath_(UniqueRootPath()) {
    RegDeleteTreeA(HKEY_CURRENT_USER, rootPath_.c_str());
    root_ = RegistryKey::Create(HKEY_CURRENT_USER, rootPath_, KEY_ALL_ACCESS);
    if (!root_)
        return;
    if (software == Software::Present && !RegistryKey::Create(root_.Get(), "Software"))
        return;
    ready_ = RegOverridePredefKey(HKEY_CURRENT_USER, root_.Get()) == ERROR_SUCCESS;
}

RegistrySandbox::~RegistrySandbox() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    root_.Reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, rootPath_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, rootPath_.c_str());
}

RegistryKey RegistrySandbox::OpenBelow(const std::string &path) const {
    return root_ ? RegistryKey::Open(root_.Get(), path, KEY_ALL_ACCESS) : RegistryKey();
}

std::vector<std::string> RegistrySandbox::SubkeyNames(const std::string &path) const {
    return OpenBelow(path).SubkeyNames();
}

DWORD RegistrySandbox::ValueCount(const std::string &path) const {
    return OpenBelow(path).ValueCount();
}

bool RegistrySandbox::SetRaw(const std::string &path, const std::string &name, DWORD type,
                             const std::string &bytes) const {
    return root_ && RegistryKey::Create(root_.Get(), path, KEY_ALL_ACCESS)
                        .WriteBytes(name, type, bytes);
}

bool RegistrySandbox::GetRaw(const std::string &path, const std::string &name, DWORD &type,
                             std::string &bytes) const {
    std::optional<std::string> data = OpenBelow(path).ReadBytes(name, &type);
    if (data)
        bytes = *data;
    return data.has_value();
}

}  // namespace testsupport
