#pragma once
// Where a post goes, parsed from what the caller or the wizard gave: a local
// or UNC folder, a file: URL, a WebDAV server over http:// or https://, or an
// FTP server. Anything else is refused before anything is posted.

#include <cstdint>
#include <optional>
#include <string>

#include "failure.h"

namespace webpost {

enum class DestinationKind { Folder, WebDav, Ftp };

struct Destination {
    DestinationKind kind = DestinationKind::Folder;
    // Folder: the Windows path of the destination folder ("C:\site",
    // "\\server\share\site"), without a trailing separator unless a root.
    std::string folder;
    // WebDav and Ftp.
    bool secure = false;     // https
    std::string host;        // without brackets for IPv6
    std::uint16_t port = 0;  // the scheme's default when the URL names none
    std::string path = "/";  // as written (percent-encoded), starts with '/'
    std::string user;        // from the URL's user part, decoded
    std::string password;    // from the URL's user part, decoded; never written back
};

// The destination of `url`, or the failure (code kNoProvider for an
// unsupported kind, kPostInfoRequired for an empty text, kSiteCorrupt for a
// URL that cannot be read).
struct ParsedDestination {
    std::optional<Destination> destination;
    Failure failure;
};
ParsedDestination ParseDestination(const std::string &url);

// `url` with the password of its user part taken out ("ftp://bob:pw@h/" ->
// "ftp://bob@h/"), as it may be written back to a caller; other texts as given.
std::string UrlWithoutPassword(const std::string &url);

// The kind's name as stored under a site and shown in the wizard: "folder",
// "webdav", "ftp"; and back (nullopt for any other word).
const char *KindName(DestinationKind kind);
std::optional<DestinationKind> KindFromName(const std::string &name);

// Percent-decoding; nullopt when a '%' is not followed by two hex digits.
std::optional<std::string> PercentDecode(const std::string &text);

}  // namespace webpost
