#include "wizard.h"

#include <wpapi.h>

#include <vector>

#include "dll_module.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/message_map.h"
#include "resource_ids.h"

namespace webpost {

namespace {

const DestinationKind kKinds[] = {DestinationKind::Folder, DestinationKind::WebDav,
                                  DestinationKind::Ftp};

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

std::vector<std::string> SplitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text + "\n") {
        if (c == '\r' || c == '\n') {
            const auto first = line.find_first_not_of(" \t");
            if (first != std::string::npos)
                lines.push_back(line.substr(first, line.find_last_not_of(" \t") - first + 1));
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

class WizardPage : public fw::CDialog {
public:
    WizardPage(UINT templateId, fw::CWnd *owner, WizardModel &model, bool first, bool last)
        : fw::CDialog(templateId, owner), model_(model), first_(first), last_(last) {}

    BEGIN_MSG_MAP(WizardPage)
    COMMAND_ID_CALL(IDC_WP_BACK, OnBack)
    COMMAND_ID_CALL(IDC_WP_NEXT, OnNext)
    COMMAND_ID_CALL(IDC_WP_FINISH, OnFinish)
    CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override {
        ::EnableWindow(GetDlgItem(IDC_WP_BACK), !first_);
        ::EnableWindow(GetDlgItem(IDC_WP_NEXT), !last_);
        ::EnableWindow(GetDlgItem(IDC_WP_FINISH), last_);
        ::SendMessageA(hwnd_, DM_SETDEFID, last_ ? IDC_WP_FINISH : IDC_WP_NEXT, 0);
        if (GetTemplateId() == IDD_WP_SITE)
            FillSiteNames();
        return fw::CDialog::OnInitDialog();
    }

    void DoDataExchange(fw::CDataExchange &exchange) override {
        switch (GetTemplateId()) {
        case IDD_WP_SOURCE:
            fw::ExchangeText(exchange, IDC_WP_PATHS, model_.paths);
            fw::ExchangeCheck(exchange, IDC_WP_RECURSIVE, model_.recursive);
            break;
        case IDD_WP_SITE:
            fw::ExchangeText(exchange, IDC_WP_SITENAME, model_.siteName);
            fw::ExchangeText(exchange, IDC_WP_URL, model_.url);
            fw::ExchangeText(exchange, IDC_WP_USER, model_.user);
            fw::ExchangeText(exchange, IDC_WP_PASSWORD, model_.password);
            fw::ExchangeCheck(exchange, IDC_WP_REMEMBER, model_.remember);
            break;
        case IDD_WP_PROVIDER:
            fw::ExchangeRadio(exchange, IDC_WP_KIND_FOLDER, model_.kind);
            break;
        default:
            break;
        }
    }

    // Enter: the default button's action.
    void OnOK() override { last_ ? OnFinish() : OnNext(); }

private:
    void FillSiteNames() {
        HWND combo = GetDlgItem(IDC_WP_SITENAME);
        for (const std::string &name : ListSites())
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }

    bool PageIsValid() {
        if (GetTemplateId() == IDD_WP_SITE && model_.siteName.empty() && model_.url.empty()) {
            ::MessageBoxA(hwnd_, "Give a site name or a destination URL.", "Web Publishing",
                          MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if (GetTemplateId() == IDD_WP_SOURCE && SplitLines(model_.paths).empty()) {
            ::MessageBoxA(hwnd_, "Give at least one file or folder to post.", "Web Publishing",
                          MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    }

    void OnBack() {
        if (UpdateData(true))
            EndDialog(IDC_WP_BACK);
    }
    void OnNext() {
        if (!last_ && UpdateData(true) && PageIsValid())
            EndDialog(IDC_WP_NEXT);
    }
    void OnFinish() {
        if (last_ && UpdateData(true) && PageIsValid())
            EndDialog(IDC_WP_FINISH);
    }

    WizardModel &model_;
    bool first_;
    bool last_;
};

}  // namespace

WizardModel ModelFromRequest(const PostRequest &request) {
    WizardModel model;
    for (const std::string &path : request.localPaths)
        model.paths += (model.paths.empty() ? "" : "\r\n") + path;
    model.recursive = (request.flags & WPF_NO_RECURSIVE_POST) ? 0 : 1;
    model.siteName = request.siteName;
    model.url = request.url;
    StoredSite site;
    if (LoadSite(request.siteName, site) == SiteLookup::Found) {
        if (model.url.empty())
            model.url = site.url;
        model.user = site.userName;
    }
    ParsedDestination parsed = ParseDestination(model.url);
    if (parsed.destination)
        model.kind = static_cast<int>(parsed.destination->kind);
    return model;
}

bool RequestFromModel(const WizardModel &model, PostRequest &request, std::string &problem) {
    std::string url = model.url;
    ParsedDestination parsed = ParseDestination(url);
    if (model.kind >= 0 && model.kind < 3 && !url.empty()) {
        const DestinationKind kind = kKinds[model.kind];
        if (!parsed.destination && parsed.failure.code == result::kNoProvider &&
            kind != DestinationKind::Folder) {
            // A bare "host/path" with the kind chosen on the provider page.
            url = (kind == DestinationKind::WebDav ? "http://" : "ftp://") + url;
            parsed = ParseDestination(url);
        }
        if (parsed.destination && parsed.destination->kind != kind) {
            problem = "The destination URL is not of the kind chosen on the provider page.";
            return false;
        }
    }
    request.localPaths = SplitLines(model.paths);
    if (model.recursive)
        request.flags &= ~static_cast<DWORD>(WPF_NO_RECURSIVE_POST);
    else
        request.flags |= WPF_NO_RECURSIVE_POST;
    request.siteName = model.siteName;
    request.url = url;
    request.password = model.password;
    request.keepPassword = model.remember != 0;
    StoredSite site;
    request.storeNewSite = !model.siteName.empty() && !url.empty() &&
                           LoadSite(model.siteName, site) == SiteLookup::Missing;
    if (!model.user.empty() && parsed.destination && parsed.destination->user.empty())
        request.wizardUser = model.user;
    return true;
}

WizardEnd RunWizard(PostRequest &request) {
    std::vector<UINT> pages;
    for (const WizardPageEntry &page : kPages) {
        if (request.flags & page.flag)
            pages.push_back(page.templateId);
    }
    if (pages.empty())
        return WizardEnd::Finished;
    DllResourceScope resources;
    WizardModel model = ModelFromRequest(request);
    fw::CWnd owner;
    if (request.owner)
        owner.Attach(request.owner);
    std::size_t index = 0;
    for (;;) {
        WizardPage page(pages[index], request.owner ? &owner : nullptr, model, index == 0,
                        index + 1 == pages.size());
        const INT_PTR end = page.DoModal();
        if (end == IDC_WP_BACK && index > 0) {
            --index;
        } else if (end == IDC_WP_NEXT && index + 1 < pages.size()) {
            ++index;
        } else if (end == IDC_WP_FINISH) {
            std::string problem;
            if (RequestFromModel(model, request, problem))
                return WizardEnd::Finished;
            ::MessageBoxA(request.owner, problem.c_str(), "Web Publishing",
                          MB_OK | MB_ICONEXCLAMATION);
        } else if (end == IDCANCEL) {
            return WizardEnd::Cancelled;
        } else if (end == -1) {
            return WizardEnd::Failed;
        }
    }
}

}  // namespace webpost
