#include <vector>

#include "path_text.h"
#include "wildcard.h"

namespace applet {

namespace {

class WildcardMatcher {
public:
    WildcardMatcher(const std::string &pattern, const std::string &name)
        : pattern_(pattern), name_(name) {}

    bool Matches() { return From(0, 0); }

private:
    bool From(std::size_t p, std::size_t n) {
        for (;;) {
            if (p == pattern_.size())
                return n == name_.size();
            if (n == name_.size())
                return false;
            const char wanted = pattern_[p];
            if (wanted == '*')
                return Star(p, n);
            const char actual = name_[n];
            if (wanted == '#') {
                if (actual < '0' || actual > '9')
                    return false;
            } else if (wanted != '?' && FoldCase(wanted) != FoldCase(actual)) {
                return false;
            }
            ++p;
            ++n;
        }
    }

    // The rest of the pattern is tried from the current position and each later
    // one up to the last character. Results are remembered per (star, position)
    // so that patterns with several stars stay linear instead of exponential.
    bool Star(std::size_t p, std::size_t n) {
        signed char *known = Memo(p, n);
        if (known && *known >= 0)
            return *known != 0;
        bool matched = false;
        for (std::size_t k = n; k < name_.size() && !matched; ++k)
            matched = From(p + 1, k);
        if (!matched)
            matched = p + 1 == pattern_.size();
        if (known)
            *known = matched ? 1 : 0;
        return matched;
    }

    signed char *Memo(std::size_t p, std::size_t n) {
        const std::size_t width = name_.size() + 1;
        const std::size_t cells = (pattern_.size() + 1) * width;
        if (cells > kMaxMemoCells)
            return nullptr;
        if (memo_.empty())
            memo_.assign(cells, -1);
        return &memo_[p * width + n];
    }

    static constexpr std::size_t kMaxMemoCells = std::size_t(1) << 22;
    const std::string &pattern_;
    const std::string &name_;
    std::vector<signed char> memo_;
};

}  // namespace

bool MatchWildcard(const std::string &pattern, const std::string &name) {
    return WildcardMatcher(pattern, name).Matches();
}

}  // namespace applet
