#include "request_wizard.h"

#include <wpapi.h>

#include "path_lines.h"

namespace webpost {

namespace {

const DestinationKind kKinds[] = {DestinationKind::Folder, DestinationKind::WebDav,
                                  DestinationKind::Ftp};

}  // namespace

WizardModel ModelFromRequest(const PostRequest &request) {
    WizardModel model;
    model.paths = JoinPathLines(request.localPaths);
    model.recursive = (request.flags & WPF_NO_RECURSIVE_POST) ? 0 : 1;
    model.siteName = request.siteName;
    model.storedSites = ListSites();
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
    request.localPaths = PathLines(model.paths);
    request.fullPost = model.fullPost != 0;
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

WizardEnd EditInWizard(PostRequest &request) {
    WizardModel model = ModelFromRequest(request);
    return RunWizard(request.owner, request.flags, model,
                     [&request](const WizardModel &finished, std::string &problem) {
                         return RequestFromModel(finished, request, problem);
                     });
}

}  // namespace webpost
