#include "path_lines.h"

namespace webpost {

std::vector<std::string> PathLines(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text + "\n") {
        if (c == '\r' || c == '\n') {
            const auto first = line.find_first_not_of(" \t");
            if (first != std::string::npos)
                lines.push_back(line.substr(first, line.find_last_not_of(" \t") - first + 1));
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

std::string JoinPathLines(const std::vector<std::string> &paths) {
    std::string text;
    for (const std::string &path : paths)
        text += (text.empty() ? "" : "\r\n") + path;
    return text;
}

}  // namespace webpost
