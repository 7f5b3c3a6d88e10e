#pragma once
#include <string>

namespace applet {

// The pattern language of the card-file setting: "*" any run of characters,
// "#" one decimal digit, "?" any one character, everything else itself without
// regard to case, byte by byte. A "*" never matches at the very end of the
// name ("ab*" does not match "ab"), so a lone "*" needs a non-empty name.
bool MatchWildcard(const std::string &pattern, const std::string &name);

}  // namespace applet
