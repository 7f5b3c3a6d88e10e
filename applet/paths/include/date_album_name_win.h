#pragma once
#include <string>

namespace applet {

// Today's date as the name of a new album, in the process's C locale (which
// start-up sets to the user's default), digits only on a Japanese system.
std::string GetDateAlbumName();

}  // namespace applet
