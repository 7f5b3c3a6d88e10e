#include "album_dialog.h"

#include "file_queries.h"
#include "folder_dialog.h"
#include "framework/app.h"
#include "framework/data_exchange.h"
#include "framework/res_string.h"
#include "path_text.h"
#include "setting_reads.h"
#include "settings_store.h"

namespace applet {

std::string GetDownloadFolder() {
    return ReadTextSetting(SettingId::DownloadFolder);
}

CAlbumDialog::CAlbumDialog(const std::string &path, fw::CWnd *parent)
    : fw::CDialog(IDD_ALBUM, parent) {
    SetPath(path);
}

void CAlbumDialog::SetPath(const std::string &path) {
    folder_ = GetFolderPart(path);
    location_ = fw::FormatResString(IDS_ALBUM_LOCATION, folder_);
    name_ = GetNamePart(path);
}

std::string CAlbumDialog::GetPath() const {
    return IsAbsolutePath(name_) ? name_ : JoinPath(folder_, name_);
}

void CAlbumDialog::DoDataExchange(fw::CDataExchange &exchange) {
    fw::BindControl(exchange, IDC_ALBUM_NAME, nameBox_);
    fw::ExchangeText(exchange, IDC_ALBUM_NAME, name_);
    fw::ExchangeText(exchange, IDC_ALBUM_LOCATION, location_);
}

bool CAlbumDialog::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    nameBox_.SendMessage(EM_SETSEL, 0, -1);
    nameBox_.SendMessage(EM_SCROLLCARET);
    ::SetFocus(nameBox_.GetSafeHwnd());
    return false;  // the focus is where it belongs
}

void CAlbumDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
    settings::WriteRegString("Sdk", "DownloadAlbum", name_);
}

void CAlbumDialog::OnBrowse() {
    if (!UpdateData(true))
        return;
    // The album may not exist yet, nor its folder (typed by hand, removed
    // since): the picker opens on the nearest folder above that does, not
    // wherever the platform's dialog falls back to.
    std::string start = GetPath();
    while (!start.empty() && !IsFolder(start)) {
        std::string above = GetFolderPart(start);
        start = above == start ? std::string() : above;
    }

    CFolderDialog picker(start, GetSafeHwnd());
    picker.title = fw::LoadResString(IDS_ALBUM_PICKER_TITLE);
    picker.okText = fw::LoadResString(IDS_ALBUM_PICKER_OK);
    if (picker.DoModal() != IDOK)
        return;

    const std::string chosen = picker.path;
    if (!IsFolder(chosen) && !::CreateDirectoryA(chosen.c_str(), nullptr)) {
        fw::AppMessageBox(fw::FormatResString(IDS_ALBUM_CREATE_FAILED, chosen), MB_OK);
        return;
    }
    SetPath(chosen);
    UpdateData(false);
    settings::WriteRegString("Sdk", "DownloadAlbum", name_);
}

}  // namespace applet
