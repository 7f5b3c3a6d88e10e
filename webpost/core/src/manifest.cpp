#include "manifest.h"

#include <vector>

namespace webpost {

namespace {

constexpr const char *kHeader = "webpost-manifest 1";

bool ValidUtf8(const std::string &text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode's end.
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

std::optional<std::uint64_t> ParseSize(const std::string &text) {
    if (text.empty() || text.size() > 20 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// The lines of `text`, each without its LF (and a CR before it); nullopt when
// the text does not end with a line break.
std::optional<std::vector<std::string>> Lines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos)
            return std::nullopt;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool IsSha256Hex(const std::string &text) {
    if (text.size() != 64)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool RepresentablePath(const std::string &path) {
    if (path.empty() || !ValidUtf8(path))
        return false;
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\')
            return false;
    }
    std::size_t start = 0;
    for (;;) {
        const auto slash = path.find('/', start);
        const std::string segment = path.substr(start, slash - start);
        if (segment.empty() || segment == "." || segment == "..")
            return false;
        if (slash == std::string::npos)
            return true;
        start = slash + 1;
    }
}

std::optional<Manifest> ParseManifest(const std::string &text) {
    if (text.size() > kManifestLimit)
        return std::nullopt;
    const std::optional<std::vector<std::string>> lines = Lines(text);
    if (!lines || lines->size() < 2 || lines->front() != kHeader)
        return std::nullopt;
    const std::string &last = lines->back();
    const std::optional<std::uint64_t> count =
        last.rfind("end ", 0) == 0 ? ParseSize(last.substr(4)) : std::nullopt;
    if (!count || *count != lines->size() - 2)
        return std::nullopt;
    Manifest manifest;
    for (std::size_t i = 1; i + 1 < lines->size(); ++i) {
        const std::string &line = (*lines)[i];
        if (line.rfind("D ", 0) == 0) {
            const std::string path = line.substr(2);
            if (!RepresentablePath(path) || manifest.files.count(path) ||
                !manifest.folders.insert(path).second)
                return std::nullopt;
            continue;
        }
        if (line.rfind("F ", 0) != 0)
            return std::nullopt;
        const auto sizeEnd = line.find(' ', 2);
        if (sizeEnd == std::string::npos)
            return std::nullopt;
        const auto hashEnd = line.find(' ', sizeEnd + 1);
        if (hashEnd == std::string::npos)
            return std::nullopt;
        const std::optional<std::uint64_t> size = ParseSize(line.substr(2, sizeEnd - 2));
        ManifestFile file;
        file.sha256 = line.substr(sizeEnd + 1, hashEnd - sizeEnd - 1);
        const std::string path = line.substr(hashEnd + 1);
        if (!size || !IsSha256Hex(file.sha256) || !RepresentablePath(path) ||
            manifest.folders.count(path))
            return std::nullopt;
        file.size = *size;
        if (!manifest.files.emplace(path, file).second)
            return std::nullopt;
    }
    return manifest;
}

std::string FormatManifest(const Manifest &manifest) {
    std::string text = std::string(kHeader) + "\n";
    for (const std::string &folder : manifest.folders)
        text += "D " + folder + "\n";
    for (const auto &[path, file] : manifest.files)
        text += "F " + std::to_string(file.size) + " " + file.sha256 + " " + path + "\n";
    text += "end " + std::to_string(manifest.folders.size() + manifest.files.size()) + "\n";
    return text;
}

}  // namespace webpost
