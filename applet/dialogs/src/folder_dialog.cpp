#include "folder_dialog.h"

#include <commctrl.h>
#include <dlgs.h>

#include <vector>

#include "file_queries.h"
#include "folder_pick_rule.h"
#include "framework/res_string.h"
#include "tolvarc_ids.h"

namespace applet {

namespace {

// File-open dialog (not save), explorer style, no read-only box.
constexpr DWORD kPickerFlags = 0x80006;  // OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT

// The dialog window's procedure before the OK interceptor took its place.
// One picker is open at a time, so one slot serves the process.
WNDPROC previousDialogProc = nullptr;

LRESULT CALLBACK OkInterceptor(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == IDOK) {
        // Whatever the box holds is the answer: no file-name checks.
        ::EndDialog(hwnd, IDOK);
        return 0;
    }
    return ::CallWindowProcA(previousDialogProc, hwnd, message, wParam, lParam);
}

std::string TextOf(HWND window) {
    const int length = window ? ::GetWindowTextLengthA(window) : 0;
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    if (window)
        ::GetWindowTextA(window, text.data(), length + 1);
    return text.data();
}

std::string CurrentFolder() {
    char folder[260] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

// The list view inside the folder view container (child 1 of control 1121).
HWND FolderList(HWND dialog) {
    HWND container = ::GetDlgItem(dialog, lst2);
    if (!container)
        return nullptr;
    if (HWND list = ::GetDlgItem(container, 1))
        return list;
    return ::FindWindowExA(container, nullptr, WC_LISTVIEWA, nullptr);
}

// Text of the list's selected item; empty when none is selected.
std::string SelectedEntry(HWND list) {
    if (!list)
        return std::string();
    const int item =
        static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                        MAKELPARAM(LVNI_SELECTED, 0)));
    if (item < 0)
        return std::string();
    char text[MAX_PATH] = {};
    LVITEMA request = {};
    request.iSubItem = 0;
    request.pszText = text;
    request.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&request));
    return text;
}

void CentreOnOwnerOrScreen(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (HWND owner = ::GetWindow(window, GW_OWNER); owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &area);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CFolderDialog::CFolderDialog(const std::string &initialFolder, HWND owner)
    : fw::CFileDialog(true, kPickerFlags, owner), path(initialFolder),
      title(fw::LoadResString(IDS_PICKER_TITLE)), label(fw::LoadResString(IDS_PICKER_LABEL)),
      okText(fw::LoadResString(IDS_PICKER_OK)) {
    SetInitialFolder(path);
}

HWND CFolderDialog::FileNameBox(HWND dialog) {
    if (HWND edit = ::GetDlgItem(dialog, edt1))
        return edit;
    return ::GetDlgItem(dialog, cmb13);
}

void CFolderDialog::OnInitDone() {
    HWND dialog = GetDialogWindow();
    ::SendMessageA(dialog, CDM_HIDECONTROL, cmb1, 0);
    ::SendMessageA(dialog, CDM_HIDECONTROL, stc2, 0);
    ::SendMessageA(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(okText.c_str()));
    ::SetWindowTextA(dialog, title.c_str());

    if (HWND nameLabel = ::GetDlgItem(dialog, stc3)) {
        RECT rect = {};
        ::GetWindowRect(nameLabel, &rect);
        ::SetWindowPos(nameLabel, nullptr, 0, 0, rect.right - rect.left + 8, rect.bottom - rect.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowTextA(nameLabel, label.c_str());
    }

    previousDialogProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OkInterceptor)));
    CentreOnOwnerOrScreen(dialog);
}

void CFolderDialog::OnFileNameChange() {
    ShowChosenFolder();
}

void CFolderDialog::OnFolderChange() {
    ShowChosenFolder();
}

void CFolderDialog::ShowChosenFolder() {
    HWND dialog = GetDialogWindow();
    const std::string current = CurrentFolder();
    path = current;
    const std::string entry = SelectedEntry(FolderList(dialog));
    if (!entry.empty()) {
        const std::string candidate = SelectedFolderCandidate(current, entry);
        if (IsFolder(candidate))
            path = candidate;
    }
    ::SetWindowTextA(FileNameBox(dialog), path.c_str());
}

void CFolderDialog::OnDestroy() {
    path = TextOf(FileNameBox(GetDialogWindow()));
}

}  // namespace applet
