#pragma once
// One WpPostA call below the C layer, in three steps the C layer strings
// together: what to post and where (the caller's arguments, perhaps changed in
// the wizard), the destination resolved from a site name and/or URL, and the
// post itself with or without the progress window.

#include <windows.h>

#include <string>
#include <vector>

#include "destination.h"
#include "failure.h"
#include "post_run.h"
#include "site_store.h"

namespace webpost {

struct PostRequest {
    HWND owner = nullptr;
    std::vector<std::string> localPaths;
    std::string siteName;
    std::string url;
    DWORD flags = 0;
    // Given in the wizard; the password is never stored in clear text.
    std::string wizardUser;
    std::string password;
    bool keepPassword = false;
    // The wizard names a site that is not stored yet: store it.
    bool storeNewSite = false;
    // The wizard's "send every file" box: this post ignores the site's
    // memory (as a stored site's FullPost does for every post).
    bool fullPost = false;
};

struct ResolvedPost {
    Destination destination;
    StoredSite site;          // name empty when no stored site is used
    std::string siteNameOut;  // what is written back on success
    std::string urlOut;
};

struct Resolution {
    bool ok = false;
    ResolvedPost post;
    Failure failure;
};

// A site name alone takes the stored site; a URL alone is used as it is; both
// take the URL with the site's user name, password and trusted certificate.
// Neither is kPostInfoRequired.
Resolution ResolveDestination(const PostRequest &request);

// Plans and posts: only what differs from the site's memory, unless the
// request or the stored site asks for a full post. Nothing is posted when
// the plan cannot be made.
PostOutcome ExecutePost(const PostRequest &request, const ResolvedPost &post);

}  // namespace webpost
