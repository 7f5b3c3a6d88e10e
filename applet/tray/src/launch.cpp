// The launch: handing the camera to the host application on a card arrival,
// a double click on the tray icon or the tray menu's start command. While it
// runs, the registry tells the host that the applet is calling (Sdk\FromVesko
// and, for the camera-only run, Sdk\VeskoLaunchApp); on every way out, an
// exception's too, those values go back to 0, Sdk\PCCardDrive is deleted and
// the tray icon looks idle again.
#include <windows.h>

#include "album_dialog.h"
#include "applet_dlg.h"
#include "card_rules.h"
#include "date_album_name_win.h"
#include "feature_flags.h"
#include "framework/app.h"
#include "framework/res_string.h"
#include "options_dialog.h"
#include "path_text.h"
#include "setting_reads.h"
#include "settings_store.h"

namespace applet {

namespace {

// Step 9 of every launch, from the destructor so that no way out skips it.
class LaunchEnd {
public:
    LaunchEnd(int &busy, CAppletDlg &dialog) : busy_(busy), dialog_(dialog) {}
    ~LaunchEnd() {
        settings::WriteRegDword("Sdk", "FromVesko", 0);
        settings::WriteRegDword("Sdk", "VeskoLaunchApp", 0);
        settings::WriteRegString("Sdk", "PCCardDrive", std::nullopt);
        dialog_.SetIdleLook();
        busy_ = 0;
    }
    LaunchEnd(const LaunchEnd &) = delete;
    LaunchEnd &operator=(const LaunchEnd &) = delete;

private:
    int &busy_;
    CAppletDlg &dialog_;
};

}  // namespace

void CAppletDlg::OnCardArrived() {
    // The kind in memory stays what start-up read, so every arrival of one
    // run writes the same value.
    if (const auto kind = ConnectViaForCardArrival(connectionKind_, AppFeatureFlags().toshibamode))
        settings::WriteRegDword("Connect", "ConnectVia", *kind);
    StartLaunch();
}

void CAppletDlg::StartLaunch() {
    if (busy_ || HostInUse())
        return;
    busy_ = 1;
    SetBusyLook();
    LaunchEnd end(busy_, *this);

    settings::WriteRegDword("Sdk", "FromVesko", 1);
    const bool cameraDirect = AppFeatureFlags().cameradirect != 0;
    if (cameraDirect && ReadNumberSetting(SettingId::ShowStartup) != 0) {
        COptionsDialog options;
        if (options.DoModal() != IDOK)
            return;
    }
    if (ReadNumberSetting(SettingId::RunOptionAtLaunch) == 0)
        settings::WriteRegDword("Sdk", "VeskoLaunchApp", 1);

    const bool autoDownload = cameraDirect && ReadNumberSetting(SettingId::AutoDownloadAtLaunch) != 0;
    if (autoDownload) {
        CAlbumDialog album(JoinPath(GetDownloadFolder(), GetDateAlbumName()), nullptr);
        if (album.DoModal() != IDOK)
            return;
    }
    OpenLaunchTask(autoDownload);
}

void CAppletDlg::OpenLaunchTask(bool autoDownload) {
    if (!ConnectHost())
        return;
    GuardHostCall([this, autoDownload] {
        if (host_.OpenTask(false, false, true) == 1)
            taskState_ = autoDownload ? TaskDownload : TaskOpen;
        else
            ReleaseHost();
    });
}

}  // namespace applet
