#include "picture_names.h"

#include <cstdio>
#include <cstring>

namespace pdrcam {

std::string fileStem(FileKind kind, int picture) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%05d", kind == FileKind::Picture ? "PIC" : "THM", picture);
    return text;
}

std::string extensionForContent(const uint8_t *head, size_t length) {
    if (length >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return "JPG";
    if (length >= 11 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "AVI", 3) == 0)
        return "AVI";
    return "RAW";
}

const std::vector<std::string> &knownExtensions() {
    static const std::vector<std::string> extensions{"JPG", "AVI", "RAW"};
    return extensions;
}

std::string fileName(const std::string &stem, const std::string &extension) {
    return stem + "." + extension;
}

std::string temporaryName(const std::string &stem, long processId) {
    return "." + stem + "." + std::to_string(processId) + ".part";
}

}  // namespace pdrcam
