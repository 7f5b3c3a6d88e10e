#pragma once
// The folder picker: the platform's file-open dialog made to choose a folder.
// Its file-type list is hidden, it carries our caption, label and OK text,
// and OK ends it at once without the file dialog's checks of the name. The
// chosen folder is whatever the file-name box holds when it closes: the
// folder shown, the selected subfolder, or what the user typed.
#include <windows.h>

#include <string>

#include "framework/file_dialog.h"

namespace applet {

class CFolderDialog : public fw::CFileDialog {
public:
    // Opens in `initialFolder`; caption string 281, label 282, OK text 283.
    CFolderDialog(const std::string &initialFolder, HWND owner);

    // In: the folder the picker opens in. After IDOK: the chosen folder.
    std::string path;
    std::string title;
    std::string label;
    std::string okText;

    // The file-name box of the common dialog `dialog` (the ANSI file dialog's
    // edit 1152; the combo box 1148 of layouts that have no such edit).
    static HWND FileNameBox(HWND dialog);

protected:
    void OnInitDone() override;
    void OnFileNameChange() override;
    void OnFolderChange() override;
    void OnDestroy() override;

private:
    void ShowChosenFolder();
};

}  // namespace applet
