#pragma once
// Stored sites for one test: a private HKEY_CURRENT_USER (the platform's
// registry sandbox) in which a test writes sites as the library stores them
// and reads back what the library wrote, and the platform's data protection
// that a stored site's password is kept under.

#include <windows.h>

#include <string>

#include "registry_sandbox.h"

namespace testsupport {

class StoredSites {
public:
    // True when the private registry is in place; fixtures assert it before
    // anything reaches the registry.
    bool Ready() const { return registry_.Ready(); }

    // Writes a site as the library stores it; `passwordBlob` is REG_BINARY.
    void Store(const std::string &name, const std::string &url, const std::string &kind,
               const std::string &user = "", const std::string &certSha256 = "",
               const std::string &passwordBlob = "") const;
    // A REG_DWORD value of a stored site (FullPost).
    void StoreNumber(const std::string &name, const std::string &value, DWORD number) const;
    // A value of a stored site (text up to its NUL), or "<missing>".
    std::string Value(const std::string &name, const std::string &value) const;

private:
    RegistrySandbox registry_;
};

// The platform's data protection of `password` for the current user, as a
// stored site keeps it.
std::string ProtectedPassword(const std::string &password);
// And back; empty when `blob` cannot be unprotected.
std::string UnprotectedPassword(const std::string &blob);

}  // namespace testsupport
