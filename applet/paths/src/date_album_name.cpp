#include "date_album_name.h"

#include <vector>

namespace applet {

namespace {
const char kBlanks[] = " \t";
}

const char *DateAlbumFormat(unsigned short systemLangId) {
    return systemLangId == kJapaneseLangId ? "%Y %m %d" : "%#x";
}

std::string RemoveWeekday(const std::string &longDate, const std::string &weekday) {
    std::string text = longDate;
    // An empty weekday would "match" at the start and cut nothing sensible.
    const std::string::size_type at = weekday.empty() ? std::string::npos : text.find(weekday);
    if (at != std::string::npos) {
        std::string rest = text.substr(at + weekday.size());
        if (!rest.empty() && rest[0] == ',')
            rest.erase(0, 1);
        const std::string::size_type kept = rest.find_first_not_of(kBlanks);
        rest.erase(0, kept == std::string::npos ? rest.size() : kept);
        text = text.substr(0, at) + rest;
    }
    const std::string::size_type first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    const std::string::size_type last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string FormatTime(const char *format, const std::tm &when) {
    // strftime reports 0 both for "too small" and for an empty result: grow a
    // few times, then take the empty result as the answer.
    for (std::size_t size = 128; size <= 8192; size *= 4) {
        std::vector<char> buffer(size);
        const std::size_t length = std::strftime(buffer.data(), size, format, &when);
        if (length > 0)
            return std::string(buffer.data(), length);
    }
    return std::string();
}

std::string FormatDateAlbumName(const std::tm &when, unsigned short systemLangId) {
    return RemoveWeekday(FormatTime(DateAlbumFormat(systemLangId), when), FormatTime("%A", when));
}

}  // namespace applet
