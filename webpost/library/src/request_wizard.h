#pragma once
// The request of a WpPostA call shown in the wizard's pages and taken back
// from them: the caller's values on entry, the user's after Finish.

#include <string>

#include "post_session.h"
#include "wizard.h"

namespace webpost {

// Runs the pages the request's flags ask for; on Finished the request holds
// what the user gave, otherwise it is untouched.
WizardEnd EditInWizard(PostRequest &request);

// The request's values as the pages show them, and back. Back fails (with a
// sentence for the user) when the pages' values cannot be posted.
WizardModel ModelFromRequest(const PostRequest &request);
bool RequestFromModel(const WizardModel &model, PostRequest &request, std::string &problem);

}  // namespace webpost
