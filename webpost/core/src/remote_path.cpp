#include "remote_path.h"

#include "destination.h"

namespace webpost {

namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Every byte but the unreserved ones and those in `kept` as %XX.
std::string PercentEncode(const std::string &text, const std::string &kept) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (Unreserved(c) || kept.find(ch) != std::string::npos) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string Join(std::string base, const std::string &relative) {
    if (base.empty() || base.back() != '/')
        base += '/';
    return relative.empty() ? base : base + relative;
}

}  // namespace

std::string PercentEncodeSegment(const std::string &segment) {
    return PercentEncode(segment, "");
}

std::string EscapeUrlPath(const std::string &path) {
    // RFC 3986's pchar without the escapes, and '/'.
    return PercentEncode(path, "!$&'()*+,;=:@/%");
}

std::string HttpPath(const std::string &base, const std::string &relative) {
    std::string encoded;
    std::size_t start = 0;
    while (start <= relative.size() && !relative.empty()) {
        const auto slash = relative.find('/', start);
        const std::string segment =
            relative.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!encoded.empty())
            encoded += '/';
        encoded += PercentEncodeSegment(segment);
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return Join(base, encoded);
}

std::string FtpPath(const std::string &base, const std::string &relative) {
    const std::optional<std::string> decoded = PercentDecode(base);
    return Join(decoded ? *decoded : base, relative);
}

}  // namespace webpost
