#pragma once
// The applet's settings as this host reads them at the moment a task opens:
// the applet's key is the one above its Sdk key (the side channel), and the
// values are read there as the applet stores them (Connect, Install, Sdk).
// Missing card settings take the applet's own defaults from its resource
// library, which the suite installs beside this program.

#include <cstdint>
#include <optional>
#include <string>

#include "call_log_line.h"

namespace standin {

struct HostSettings {
    int32_t connectVia = 0;            // Connect\ConnectVia, 0 when missing
    std::string cardFolders;           // Connect\PCCardPath
    std::string cardFile;              // Connect\PCCardFile
    std::string downloadFolder;        // Install\Download
    std::optional<std::string> album;  // Sdk\DownloadAlbum
    int32_t autoDownload = 0;          // Sdk\AutoDownload, 0 when missing
    SideChannel side;                  // FromVesko, VeskoLaunchApp, PCCardDrive
};

HostSettings ReadHostSettings();

// The user's own pictures folder, where albums go when the applet names no
// Download folder.
std::string UserPicturesFolder();

}  // namespace standin
