#pragma once
// File names of downloaded pictures and thumbnails: PIC00001.JPG, THM00001.JPG.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pdrcam {

enum class FileKind { Picture, Thumbnail };

// "PIC00012" / "THM00012": the name without extension for picture n.
std::string fileStem(FileKind kind, int picture);

// A --filename pattern: "%n" the picture number (00001), "%m" the camera's
// model, "%d" the date of the download (YYYYMMDD), "%%" a percent sign, and
// ".%e" at its end for the extension. False with a reason when it cannot
// make distinct file names (no %n, no ".%e" at the end, a path separator, an
// unknown field).
bool checkNamePattern(const std::string &pattern, std::string &error);

// The stem the pattern gives picture n; a thumbnail's adds "-thumb".
std::string patternStem(const std::string &pattern, FileKind kind, int picture,
                        const std::string &model, const std::string &date);

// The extension that the content's first bytes call for: "JPG" for a JPEG,
// "AVI" for a RIFF AVI movie, "RAW" for anything else.
std::string extensionForContent(const uint8_t *head, size_t length);

// Every extension extensionForContent can give, to find an earlier download
// before the content is known.
const std::vector<std::string> &knownExtensions();

// stem + "." + extension.
std::string fileName(const std::string &stem, const std::string &extension);

// The same stem for the second, third, ... picture that must not replace a
// different file of the first name: "PIC00005-2".
std::string alternativeStem(const std::string &stem, int index);

// Hidden working name in the same folder, unique per process; never matches
// a final name.
std::string temporaryName(const std::string &stem, long processId);

// The process id in a working name made by temporaryName; false for any
// other name.
bool parseTemporaryName(const std::string &name, long &processId);

}  // namespace pdrcam
