#include "card_rules.h"

#include "path_text.h"

namespace applet {

namespace {

constexpr char kBlanks[] = " \t\r\n\v\f";

std::string Trim(const std::string &text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Two drive texts on one letter: the letters compared without case.
bool SameDriveLetter(const std::string &piece, const std::string &drive) {
    return piece.size() >= 2 && piece[1] == ':' && !drive.empty() &&
           FoldCase(piece[0]) == FoldCase(drive[0]);
}

}  // namespace

std::string LowestDriveOfUnitMask(uint32_t unitMask) {
    for (int bit = 0; bit < 26; ++bit) {
        if (unitMask & (1u << bit))
            return std::string(1, static_cast<char>('A' + bit)) + ":";
    }
    return std::string();
}

std::vector<std::string> CardFolderCandidates(const std::string &drive,
                                              const std::string &folderList) {
    std::vector<std::string> candidates;
    size_t start = 0;
    while (start < folderList.size()) {
        size_t end = folderList.find(';', start);
        if (end == std::string::npos)
            end = folderList.size();
        const std::string piece = Trim(folderList.substr(start, end - start));
        start = end + 1;
        if (piece.empty())
            continue;
        candidates.push_back(SameDriveLetter(piece, drive) ? piece : JoinPath(drive, piece));
    }
    return candidates;
}

std::string CardFilePattern(const std::string &setting) {
    return setting == "-" ? std::string() : setting;
}

std::optional<int32_t> ConnectViaForCardArrival(int32_t connectionKind, bool toshibaMode) {
    if (connectionKind == 1 || connectionKind == 3)
        return std::nullopt;
    return toshibaMode ? 3 : 1;
}

}  // namespace applet
