#include "wizard.h"

#include <wpapi.h>

#include <iterator>

#include "dll_module.h"
#include "path_lines.h"
#include "resource_ids.h"

namespace webpost {

namespace {

struct WizardPageEntry {
    DWORD flag;
    UINT templateId;
};

const WizardPageEntry kPages[] = {
    {WPF_SHOWPAGE_WELCOME, IDD_WP_WELCOME},
    {WPF_SHOWPAGE_SRCFILE, IDD_WP_SOURCE},
    {WPF_SHOWPAGE_DESTSITE, IDD_WP_SITE},
    {WPF_SHOWPAGE_PROVIDER, IDD_WP_PROVIDER},
};

// The provider page's buttons in the order of WizardModel::kind.
const int kKindButtons[] = {IDC_WP_KIND_FOLDER, IDC_WP_KIND_WEBDAV, IDC_WP_KIND_FTP};

// What one page's dialog procedure works on, handed over in WM_INITDIALOG.
struct Page {
    UINT templateId;
    WizardModel &model;
    bool first;
    bool last;
};

void ExchangeText(HWND dialog, int id, std::string &text, bool save) {
    if (!save) {
        ::SetDlgItemTextA(dialog, id, text.c_str());
        return;
    }
    HWND control = ::GetDlgItem(dialog, id);
    std::string read(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    read.resize(static_cast<std::size_t>(
        ::GetWindowTextA(control, read.data(), static_cast<int>(read.size()))));
    text = read;
}

void ExchangeCheck(HWND dialog, int id, int &checked, bool save) {
    if (save)
        checked = ::IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
    else
        ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ExchangeKind(HWND dialog, int &kind, bool save) {
    if (save)
        kind = -1;
    for (int i = 0; i < static_cast<int>(std::size(kKindButtons)); ++i) {
        if (!save)
            ::CheckDlgButton(dialog, kKindButtons[i], i == kind ? BST_CHECKED : BST_UNCHECKED);
        else if (kind < 0 && ::IsDlgButtonChecked(dialog, kKindButtons[i]) == BST_CHECKED)
            kind = i;
    }
}

// The page's controls into the model when `save`, else the model into them.
void Exchange(HWND dialog, const Page &page, bool save) {
    WizardModel &model = page.model;
    switch (page.templateId) {
    case IDD_WP_SOURCE:
        ExchangeText(dialog, IDC_WP_PATHS, model.paths, save);
        ExchangeCheck(dialog, IDC_WP_RECURSIVE, model.recursive, save);
        ExchangeCheck(dialog, IDC_WP_FULLPOST, model.fullPost, save);
        break;
    case IDD_WP_SITE:
        ExchangeText(dialog, IDC_WP_SITENAME, model.siteName, save);
        ExchangeText(dialog, IDC_WP_URL, model.url, save);
        ExchangeText(dialog, IDC_WP_USER, model.user, save);
        ExchangeText(dialog, IDC_WP_PASSWORD, model.password, save);
        ExchangeCheck(dialog, IDC_WP_REMEMBER, model.remember, save);
        break;
    case IDD_WP_PROVIDER:
        ExchangeKind(dialog, model.kind, save);
        break;
    default:
        break;
    }
}

void InitPage(HWND dialog, const Page &page) {
    ::EnableWindow(::GetDlgItem(dialog, IDC_WP_BACK), !page.first);
    ::EnableWindow(::GetDlgItem(dialog, IDC_WP_NEXT), !page.last);
    ::EnableWindow(::GetDlgItem(dialog, IDC_WP_FINISH), page.last);
    ::SendMessageA(dialog, DM_SETDEFID, page.last ? IDC_WP_FINISH : IDC_WP_NEXT, 0);
    if (page.templateId == IDD_WP_SITE) {
        for (const std::string &name : page.model.storedSites)
            ::SendDlgItemMessageA(dialog, IDC_WP_SITENAME, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(name.c_str()));
    }
    Exchange(dialog, page, false);
}

// Whether the page's values let the wizard go on; says why not when not.
bool PageIsValid(HWND dialog, const Page &page) {
    const char *problem = nullptr;
    if (page.templateId == IDD_WP_SITE && page.model.siteName.empty() && page.model.url.empty())
        problem = "Give a site name or a destination URL.";
    else if (page.templateId == IDD_WP_SOURCE && PathLines(page.model.paths).empty())
        problem = "Give at least one file or folder to post.";
    if (problem)
        ::MessageBoxA(dialog, problem, "Web Publishing", MB_OK | MB_ICONEXCLAMATION);
    return !problem;
}

// Back keeps what the page holds and goes; Next and Finish go only from a
// page whose values are good, and only where the page has them enabled.
void Leave(HWND dialog, const Page &page, int button) {
    if ((button == IDC_WP_NEXT && page.last) || (button == IDC_WP_FINISH && !page.last))
        return;
    Exchange(dialog, page, true);
    if (button == IDC_WP_BACK || PageIsValid(dialog, page))
        ::EndDialog(dialog, button);
}

INT_PTR PageMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitPage(dialog, *reinterpret_cast<const Page *>(lParam));
        return TRUE;
    }
    const auto *page = reinterpret_cast<const Page *>(::GetWindowLongPtrA(dialog, DWLP_USER));
    if (!page || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_WP_BACK:
    case IDC_WP_NEXT:
    case IDC_WP_FINISH:
        Leave(dialog, *page, LOWORD(wParam));
        return TRUE;
    case IDOK:  // Enter: the default button's action
        Leave(dialog, *page, page->last ? IDC_WP_FINISH : IDC_WP_NEXT);
        return TRUE;
    case IDCANCEL:  // the button, Escape and the close box
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// The system's entry: no exception may cross into its dialog code, so one
// that would ends the wizard as failed.
INT_PTR CALLBACK PageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return PageMessage(dialog, message, wParam, lParam);
    } catch (...) {
        ::EndDialog(dialog, -1);
        return TRUE;
    }
}

}  // namespace

WizardEnd RunWizard(HWND owner, DWORD pageFlags, WizardModel &model,
                    const WizardFinishCheck &finish) {
    std::vector<UINT> pages;
    for (const WizardPageEntry &page : kPages) {
        if (pageFlags & page.flag)
            pages.push_back(page.templateId);
    }
    std::size_t index = 0;
    while (index < pages.size()) {
        Page page{pages[index], model, index == 0, index + 1 == pages.size()};
        switch (::DialogBoxParamA(DllModule(), MAKEINTRESOURCEA(page.templateId), owner, PageProc,
                                  reinterpret_cast<LPARAM>(&page))) {
        case IDC_WP_BACK:
            if (index > 0)
                --index;
            break;
        case IDC_WP_NEXT:
            ++index;
            break;
        case IDC_WP_FINISH: {
            std::string problem;
            if (finish(model, problem))
                return WizardEnd::Finished;
            ::MessageBoxA(owner, problem.c_str(), "Web Publishing", MB_OK | MB_ICONEXCLAMATION);
            break;
        }
        case IDCANCEL:
            return WizardEnd::Cancelled;
        default:
            // -1: the page cannot be shown; 0: the system ended the page's
            // loop (a WM_QUIT, which it leaves for the caller's loop).
            return WizardEnd::Failed;
        }
    }
    return WizardEnd::Finished;
}

}  // namespace webpost
