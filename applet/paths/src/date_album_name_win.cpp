#include <windows.h>

#include <ctime>

#include "date_album_name.h"
#include "date_album_name_win.h"

namespace applet {

std::string GetDateAlbumName() {
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    if (!local)
        return std::string();
    return FormatDateAlbumName(*local, GetSystemDefaultLangID());
}

}  // namespace applet
