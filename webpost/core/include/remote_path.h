#pragma once
// Names on the server for a plan step: the destination's path joined with the
// step's relative name. HTTP wants each segment percent-encoded; FTP wants
// the plain bytes. Names are bytes here: the transports give them in the
// encoding the server wants (UTF-8 for WebDAV).

#include <string>

namespace webpost {

// `base` as written in the URL (already encoded), `relative` plain and
// '/'-separated: "/site" + "a b/c.html" -> "/site/a%20b/c.html".
std::string HttpPath(const std::string &base, const std::string &relative);

// `base` decoded, then joined: "/my%20site" + "a/b" -> "/my site/a/b".
// A base that cannot be decoded is used as it stands.
std::string FtpPath(const std::string &base, const std::string &relative);

// One segment, every byte outside RFC 3986's unreserved set encoded.
std::string PercentEncodeSegment(const std::string &segment);

// A path as a user wrote it in a URL, made fit to send: escapes and the
// characters a path may hold stay, every other byte (non-ASCII, blanks,
// controls, '"', '<', '>', '\\', '^', '`', '{', '|', '}') is percent-encoded.
// "/café site/%41" (UTF-8) -> "/caf%C3%A9%20site/%41".
std::string EscapeUrlPath(const std::string &path);

}  // namespace webpost
