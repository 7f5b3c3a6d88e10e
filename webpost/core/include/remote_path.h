#pragma once
// Names on the server for a plan step: the destination's path joined with the
// step's relative name. HTTP wants each segment percent-encoded; FTP wants
// the plain bytes.

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

}  // namespace webpost
