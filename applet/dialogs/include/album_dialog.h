#pragma once
// The download album dialog (template 297): the name of the album that
// receives the pictures, the folder it goes into, and Browse, which opens the
// folder picker and creates the chosen folder. Its only lasting effect is
// Sdk\DownloadAlbum, written on OK and after a successful Browse.
#include <string>

#include "framework/dialog.h"
#include "framework/message_map.h"
#include "framework/wnd.h"
#include "tolvarc_ids.h"

namespace applet {

// Install\Download: the root folder of the albums (empty when absent).
std::string GetDownloadFolder();

class CAlbumDialog : public fw::CDialog {
public:
    CAlbumDialog(const std::string &path, fw::CWnd *parent);

    // Folder = the path's folder part, name = its last component, location =
    // string 1669 with the folder.
    void SetPath(const std::string &path);
    // The name itself when it is an absolute path, else the folder joined
    // with it.
    std::string GetPath() const;

    const std::string &Folder() const { return folder_; }
    const std::string &Name() const { return name_; }
    const std::string &Location() const { return location_; }

    BEGIN_MSG_MAP(CAlbumDialog)
    COMMAND_ID_CALL(IDC_ALBUM_BROWSE, OnBrowse)
    CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(fw::CDataExchange &exchange) override;

private:
    void OnBrowse();

    std::string folder_;
    fw::CWnd nameBox_;
    std::string name_;
    std::string location_;
};

}  // namespace applet
