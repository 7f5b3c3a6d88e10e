#pragma once
// The site's memory of what was posted to it: a small text file at the
// destination's root, kManifestName, listing every folder made and every
// file sent with the file's size and SHA-256. A re-publish reads it first and
// sends only what differs from the local files. Nothing the server says
// about its own files (dates, ETags, properties) is trusted, so a folder, a
// WebDAV server and an FTP server are treated alike.
//
// The text is UTF-8, each line ended by LF (a CR before it is tolerated):
//
//   webpost-manifest 1
//   D <path>
//   F <size> <sha256> <path>
//   end <number of D and F lines>
//
// <size> in decimal, <sha256> 64 lower-case hex digits, <path> the rest of
// the line: '/'-separated below the destination's root, no empty, "." or
// ".." segment, no control characters. The first line names the format and
// its version; the last line makes a cut-off text detectable. A text that is
// not exactly of this form (another version included) is no manifest at all,
// and the post that finds it sends everything.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace webpost {

// The file's name at the destination's root: hidden by convention on web
// and FTP servers, and marked hidden in folders.
constexpr const char *kManifestName = ".webpost-manifest";
// A larger text is not read: no site of ours has a memory this long.
constexpr std::size_t kManifestLimit = 16u * 1024 * 1024;

struct ManifestFile {
    std::uint64_t size = 0;
    std::string sha256;  // 64 lower-case hex digits
    bool operator==(const ManifestFile &other) const {
        return size == other.size && sha256 == other.sha256;
    }
    bool operator!=(const ManifestFile &other) const { return !(*this == other); }
};

struct Manifest {
    std::set<std::string> folders;
    std::map<std::string, ManifestFile> files;
    bool operator==(const Manifest &other) const {
        return folders == other.folders && files == other.files;
    }
    bool operator!=(const Manifest &other) const { return !(*this == other); }
};

// nullopt for anything but a complete manifest of this version.
std::optional<Manifest> ParseManifest(const std::string &text);
std::string FormatManifest(const Manifest &manifest);

// Whether `path` can be written into a manifest: valid UTF-8, none of the
// characters that would break a line or a path (controls, '\\'), and no
// empty, "." or ".." segment. A file whose path cannot is sent every time.
bool RepresentablePath(const std::string &path);

// 64 lower-case hex digits.
bool IsSha256Hex(const std::string &text);

}  // namespace webpost
