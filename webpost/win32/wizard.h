#pragma once
// The posting wizard: the pages the caller's WPF_SHOWPAGE_* bits ask for, in
// the order welcome, source files, destination site, provider, each a dialog
// with Back, Next, Finish and Cancel. Finish on the last page shown takes
// what the pages hold into the request; Cancel leaves it untouched.

#include "post_session.h"

namespace webpost {

enum class WizardEnd { Finished, Cancelled, Failed };

// `request` holds the caller's values on entry and the user's on Finished.
WizardEnd RunWizard(PostRequest &request);

// What the wizard's pages show and edit.
struct WizardModel {
    std::string paths;  // one local path a line
    int recursive = 1;
    std::string siteName;
    std::string url;
    std::string user;
    std::string password;
    int remember = 0;
    int kind = -1;  // index into Folder, WebDav, Ftp; -1 none chosen
};

// The request's values as the pages show them, and back. Back fails (with a
// sentence for the user) when the pages' values cannot be posted.
WizardModel ModelFromRequest(const PostRequest &request);
bool RequestFromModel(const WizardModel &model, PostRequest &request, std::string &problem);

}  // namespace webpost
