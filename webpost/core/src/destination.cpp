#include "destination.h"

#include <cctype>
#include <utility>

namespace webpost {

namespace {

std::string Lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string &text) {
    const char *space = " \t\r\n";
    const auto first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

bool IsDrivePath(const std::string &text) {
    return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) &&
           text[1] == ':' && (text.size() == 2 || text[2] == '\\' || text[2] == '/');
}

bool IsUncPath(const std::string &text) {
    return text.size() > 2 && (text[0] == '\\' || text[0] == '/') &&
           (text[1] == '\\' || text[1] == '/') && text[2] != '\\' && text[2] != '/';
}

// Backslashes throughout; no trailing separator except after "C:".
std::string WindowsFolder(std::string path) {
    for (char &c : path) {
        if (c == '/')
            c = '\\';
    }
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    if (path.size() == 2 && path[1] == ':')
        path += '\\';
    return path;
}

ParsedDestination Refuse(ResultCode code, const std::string &cause) {
    ParsedDestination parsed;
    parsed.failure.code = code;
    parsed.failure.cause = cause;
    return parsed;
}

ParsedDestination FolderDestination(const std::string &path) {
    ParsedDestination parsed;
    Destination destination;
    destination.kind = DestinationKind::Folder;
    destination.folder = WindowsFolder(path);
    parsed.destination = destination;
    return parsed;
}

// file:///C:/dir, file:/C:/dir, file://server/share/dir, file://localhost/C:/dir
ParsedDestination ParseFileUrl(const std::string &url, const std::string &rest) {
    std::optional<std::string> decoded = PercentDecode(rest);
    if (!decoded)
        return Refuse(result::kSiteCorrupt, "The URL \"" + url + "\" cannot be read.");
    std::string path = *decoded;
    if (path.rfind("//", 0) == 0) {
        path = path.substr(2);
        const std::string host = path.substr(0, path.find('/'));
        if (host.empty() || Lower(host) == "localhost")
            path = path.substr(host.size());
        else
            return FolderDestination("\\\\" + path);
    }
    while (path.size() > 1 && path[0] == '/' && path[1] == '/')
        path.erase(0, 1);
    if (!path.empty() && path[0] == '/')
        path.erase(0, 1);
    if (!IsDrivePath(path))
        return Refuse(result::kSiteCorrupt,
                      "The URL \"" + url + "\" names no drive or network folder.");
    return FolderDestination(path);
}

ParsedDestination ParseServerUrl(const std::string &url, const std::string &scheme,
                                 const std::string &rest) {
    Destination destination;
    if (scheme == "ftp") {
        destination.kind = DestinationKind::Ftp;
        destination.port = 21;
    } else {
        destination.kind = DestinationKind::WebDav;
        destination.secure = scheme == "https";
        destination.port = destination.secure ? 443 : 80;
    }
    const auto slash = rest.find_first_of("/?#");
    std::string authority = rest.substr(0, slash);
    std::string path = slash == std::string::npos ? "/" : rest.substr(slash);
    path = path.substr(0, path.find_first_of("?#"));
    if (path.empty())
        path = "/";
    const auto unreadable = Refuse(result::kSiteCorrupt, "The URL \"" + url + "\" cannot be read.");
    if (!PercentDecode(path))
        return unreadable;

    const auto at = authority.rfind('@');
    if (at != std::string::npos) {
        const std::string userInfo = authority.substr(0, at);
        authority = authority.substr(at + 1);
        const auto colon = userInfo.find(':');
        std::optional<std::string> user = PercentDecode(userInfo.substr(0, colon));
        std::optional<std::string> password =
            PercentDecode(colon == std::string::npos ? "" : userInfo.substr(colon + 1));
        if (!user || !password)
            return unreadable;
        destination.user = *user;
        destination.password = *password;
    }

    std::string portText;
    if (!authority.empty() && authority[0] == '[') {
        const auto close = authority.find(']');
        if (close == std::string::npos)
            return unreadable;
        destination.host = authority.substr(1, close - 1);
        const std::string after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':')
                return unreadable;
            portText = after.substr(1);
        }
    } else {
        const auto colon = authority.find(':');
        destination.host = authority.substr(0, colon);
        if (colon != std::string::npos)
            portText = authority.substr(colon + 1);
    }
    if (destination.host.empty())
        return Refuse(result::kSiteCorrupt, "The URL \"" + url + "\" names no server.");
    if (!portText.empty()) {
        if (portText.size() > 5)
            return unreadable;
        unsigned long port = 0;
        for (char c : portText) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return unreadable;
            port = port * 10 + static_cast<unsigned long>(c - '0');
        }
        if (port == 0 || port > 65535)
            return unreadable;
        destination.port = static_cast<std::uint16_t>(port);
    }
    destination.path = path;
    ParsedDestination parsed;
    parsed.destination = destination;
    return parsed;
}

// The kinds by the names stored sites give them.
const std::pair<DestinationKind, const char *> kKindNames[] = {
    {DestinationKind::Folder, "folder"},
    {DestinationKind::WebDav, "webdav"},
    {DestinationKind::Ftp, "ftp"},
};

}  // namespace

std::optional<std::string> PercentDecode(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
            return std::nullopt;
        out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
        i += 2;
    }
    return out;
}

ParsedDestination ParseDestination(const std::string &given) {
    const std::string url = Trim(given);
    if (url.empty())
        return Refuse(result::kPostInfoRequired, "");
    if (IsDrivePath(url) || IsUncPath(url))
        return FolderDestination(url);

    const auto colon = url.find(':');
    std::string scheme = colon == std::string::npos ? "" : url.substr(0, colon);
    bool schemeChars = !scheme.empty() && std::isalpha(static_cast<unsigned char>(scheme[0]));
    for (char c : scheme) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            schemeChars = false;
    }
    if (!schemeChars)
        return Refuse(result::kNoProvider, "\"" + url + "\" is neither a folder nor a URL.");
    scheme = Lower(scheme);
    const std::string rest = url.substr(colon + 1);
    if (scheme == "file")
        return ParseFileUrl(url, rest);
    if (scheme == "http" || scheme == "https" || scheme == "ftp") {
        if (rest.rfind("//", 0) != 0)
            return Refuse(result::kSiteCorrupt, "The URL \"" + url + "\" names no server.");
        return ParseServerUrl(url, scheme, rest.substr(2));
    }
    return Refuse(result::kNoProvider,
                  "Destinations of the kind \"" + scheme + ":\" are not supported.");
}

std::string UrlWithoutPassword(const std::string &url) {
    const auto scheme = url.find("://");
    if (scheme == std::string::npos)
        return url;
    const auto authorityStart = scheme + 3;
    const auto authorityEnd = url.find_first_of("/?#", authorityStart);
    const std::string authority = url.substr(authorityStart, authorityEnd - authorityStart);
    const auto at = authority.rfind('@');
    const auto colon = authority.find(':');
    if (at == std::string::npos || colon == std::string::npos || colon > at)
        return url;
    return url.substr(0, authorityStart + colon) + url.substr(authorityStart + at);
}

const char *KindName(DestinationKind kind) {
    for (const auto &[known, name] : kKindNames) {
        if (known == kind)
            return name;
    }
    return "";
}

std::optional<DestinationKind> KindFromName(const std::string &name) {
    for (const auto &[kind, known] : kKindNames) {
        if (Lower(name) == known)
            return kind;
    }
    return std::nullopt;
}

}  // namespace webpost
