#include "host_settings.h"

#include <windows.h>
#include <shlobj.h>

#include "control_store.h"
#include "framework/res_string.h"
#include "path_text.h"
#include "platform/registry_key.h"
#include "platform/win32_handles.h"
#include "tolvarc_ids.h"

namespace standin {

namespace {

using platform::RegistryKey;

// The applet's text for a missing card setting, from its resource library.
std::string AppletDefault(UINT id) {
    const platform::UniqueModule resources(
        ::LoadLibraryExA("Tolvarc.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    return resources ? fw::LoadResString(resources.Get(), id) : std::string();
}

int32_t ReadNumber(const RegistryKey &key, const char *name) {
    return static_cast<int32_t>(key.ReadDword(name, 0));
}

}  // namespace

HostSettings ReadHostSettings() {
    HostSettings settings;
    settings.side = ReadSideChannel();
    const std::string sdk = SideChannelPath();
    const std::string product = applet::GetFolderPart(sdk);
    const RegistryKey connect = RegistryKey::Open(HKEY_CURRENT_USER, product + "\\Connect");
    const RegistryKey install = RegistryKey::Open(HKEY_CURRENT_USER, product + "\\Install");
    const RegistryKey options = RegistryKey::Open(HKEY_CURRENT_USER, sdk);
    settings.connectVia = ReadNumber(connect, "ConnectVia");
    std::optional<std::string> folders = connect.ReadString("PCCardPath");
    settings.cardFolders = folders ? *folders : AppletDefault(IDS_DEFAULT_CARD_PATH);
    std::optional<std::string> file = connect.ReadString("PCCardFile");
    settings.cardFile = file ? *file : AppletDefault(IDS_DEFAULT_CARD_FILE);
    settings.downloadFolder = install.ReadString("Download", std::string());
    settings.album = options.ReadString("DownloadAlbum");
    settings.autoDownload = ReadNumber(options, "AutoDownload");
    return settings;
}

std::string UserPicturesFolder() {
    char path[MAX_PATH] = "";
    if (SUCCEEDED(
            ::SHGetFolderPathA(nullptr, CSIDL_MYPICTURES | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return path;
    return "C:\\";
}

}  // namespace standin
