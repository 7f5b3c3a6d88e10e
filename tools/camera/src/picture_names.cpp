#include "picture_names.h"

#include <cstdio>
#include <cstring>

namespace pdrcam {

std::string fileStem(FileKind kind, int picture) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%05d", kind == FileKind::Picture ? "PIC" : "THM", picture);
    return text;
}

bool checkNamePattern(const std::string &pattern, std::string &error) {
    const std::string ending = ".%e";
    if (pattern.size() <= ending.size() ||
        pattern.compare(pattern.size() - ending.size(), ending.size(), ending) != 0) {
        error = "the file name pattern must end with .%e";
        return false;
    }
    bool number = false;
    for (size_t i = 0; i + ending.size() < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '/' || c == '\\' || c == ':') {
            error = "the file name pattern must not name a folder";
            return false;
        }
        if (c != '%')
            continue;
        const char field = pattern[++i];
        if (field == 'n')
            number = true;
        else if (field != 'm' && field != 'd' && field != '%') {
            error = std::string("unknown field %") + field + " in the file name pattern";
            return false;
        }
    }
    if (!number)
        error = "the file name pattern needs %n, the picture number";
    return number;
}

std::string patternStem(const std::string &pattern, FileKind kind, int picture,
                        const std::string &model, const std::string &date) {
    std::string stem;
    for (size_t i = 0; i + 3 < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            stem += pattern[i];
            continue;
        }
        switch (pattern[++i]) {
        case 'n': {
            char number[16];
            std::snprintf(number, sizeof number, "%05d", picture);
            stem += number;
            break;
        }
        case 'm':
            stem += model;
            break;
        case 'd':
            stem += date;
            break;
        default:
            stem += '%';
        }
    }
    return kind == FileKind::Thumbnail ? stem + "-thumb" : stem;
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

std::string alternativeStem(const std::string &stem, int index) {
    return index <= 1 ? stem : stem + "-" + std::to_string(index);
}

bool parseTemporaryName(const std::string &name, long &processId) {
    const std::string suffix = ".part";
    if (name.size() < 1 + suffix.size() + 2 || name[0] != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string body = name.substr(0, name.size() - suffix.size());
    const size_t dot = body.rfind('.');
    if (dot == 0 || dot == std::string::npos || dot + 1 == body.size() || body.size() - dot > 11)
        return false;
    long id = 0;
    for (size_t i = dot + 1; i < body.size(); ++i) {
        if (body[i] < '0' || body[i] > '9')
            return false;
        id = id * 10 + (body[i] - '0');
    }
    processId = id;
    return id > 0;
}

}  // namespace pdrcam
