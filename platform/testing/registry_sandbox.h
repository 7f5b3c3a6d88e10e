#pragma once
// Gives a test a private, empty HKEY_CURRENT_USER: a fresh key of the real
// registry stands in for it (RegOverridePredefKey) for the sandbox's lifetime,
// and is deleted with everything below it afterwards. Tests of one program can
// therefore run side by side, and never touch the user's own settings.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry_key.h"

namespace testsupport {

class RegistrySandbox {
public:
    enum class Software { Present, Missing };

    explicit RegistrySandbox(Software software = Software::Present);
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox &) = delete;
    RegistrySandbox &operator=(const RegistrySandbox &) = delete;

    // True when the sandbox is in place; without it a test must stop before it
    // touches the registry (the fixtures assert it).
    bool Ready() const { return ready_; }

    // Paths below the stand-in HKEY_CURRENT_USER, as "Software\\Orvo\\X".
    std::vector<std::string> SubkeyNames(const std::string &path) const;
    DWORD ValueCount(const std::string &path) const;

    // Raw access, bypassing the store, to plant or inspect any type of data.
    bool SetRaw(const std::string &path, const std::string &name, DWORD type,
                const std::string &bytes) const;
    bool GetRaw(const std::string &path, const std::string &name, DWORD &type,
                std::string &bytes) const;

private:
    platform::RegistryKey OpenBelow(const std::string &path) const;

    std::string rootPath_;
    platform::RegistryKey root_;
    bool ready_ = false;
};

}  // namespace testsupport
