#pragma once
// Destination sites stored under the library's own key,
// HKEY_CURRENT_USER\Software\WebPost\Sites\<site name>, one subkey a site:
//
//   URL         REG_SZ      where the site's files go
//   Kind        REG_SZ      "folder", "webdav" or "ftp" (see KindName)
//   UserName    REG_SZ      optional
//   CertSha256  REG_SZ      optional: the one self-signed certificate trusted
//   Password    REG_BINARY  optional: the password, protected with the
//                           platform's data protection for this user
//   FullPost    REG_DWORD   optional: not 0 = every post sends every file,
//                           whatever the site's memory says
//
// Nothing is kept in clear text; a password that cannot be unprotected reads
// as none.

#include <optional>
#include <string>
#include <vector>

#include "destination.h"

namespace webpost {

constexpr const char *kSitesKey = "Software\\WebPost\\Sites";

struct StoredSite {
    std::string name;
    std::string url;
    DestinationKind kind = DestinationKind::Folder;
    std::string userName;
    std::string certSha256;
    std::string password;  // in memory only, unprotected
    bool fullPost = false;
};

enum class SiteLookup { Found, Missing, Corrupt };

// Reads the site; Corrupt when its URL or kind is missing or unreadable.
SiteLookup LoadSite(const std::string &name, StoredSite &site);

// Creates or replaces the site's values; the password is written only when
// `keepPassword`, protected. False when the key cannot be written.
bool SaveSite(const StoredSite &site, bool keepPassword);

// The names of all stored sites, in registry order.
std::vector<std::string> ListSites();

// The platform's data protection for the current user, as used for the
// Password value; empty on failure.
std::string ProtectForUser(const std::string &secret);
std::optional<std::string> UnprotectForUser(const std::string &blob);

}  // namespace webpost
