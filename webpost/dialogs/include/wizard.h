#pragma once
// The posting wizard: the pages the caller's WPF_SHOWPAGE_* bits ask for, in
// the order welcome, source files, destination site, provider, each a modal
// dialog of the system's own with Back, Next, Finish and Cancel. The pages
// edit a model of their own; what it means for a post is the caller's
// business, asked on Finish.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace webpost {

enum class WizardEnd { Finished, Cancelled, Failed };

// What the wizard's pages show and edit.
struct WizardModel {
    std::string paths;  // one local path a line
    int recursive = 1;
    int fullPost = 0;  // send every file, even those the site's memory has
    std::string siteName;
    std::vector<std::string> storedSites;  // offered in the site name's list
    std::string url;
    std::string user;
    std::string password;
    int remember = 0;
    int kind = -1;  // index into Folder, WebDav, Ftp; -1 none chosen
};

// Asked when Finish is clicked on the last page: false keeps the wizard on
// that page after `problem` has been shown to the user.
using WizardFinishCheck = std::function<bool(const WizardModel &model, std::string &problem)>;

// Runs the pages of `pageFlags` owned by `owner` (which they disable while
// shown). Finished at once when no page is asked for. `model` holds what the
// pages show on entry and what the user left in them on return.
WizardEnd RunWizard(HWND owner, DWORD pageFlags, WizardModel &model,
                    const WizardFinishCheck &finish);

}  // namespace webpost
