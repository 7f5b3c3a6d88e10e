#include "post_session.h"

#include <memory>

#include "folder_transport.h"
#include "ftp_transport.h"
#include "local_facts_win32.h"
#include "local_tree_win32.h"
#include "progress_window.h"
#include "upload_plan.h"
#include "utf8_text.h"
#include "webdav_transport.h"

#include <wpapi.h>

namespace webpost {

namespace {

Resolution Refused(ResultCode code, const std::string &cause) {
    Resolution resolution;
    resolution.failure.code = code;
    resolution.failure.cause = cause;
    return resolution;
}

std::unique_ptr<Transport> MakeTransport(const ResolvedPost &post, const PostRequest &request) {
    const Destination &d = post.destination;
    const std::string &password = request.password;
    Credentials credentials;
    credentials.user = !d.user.empty()               ? d.user
                       : !request.wizardUser.empty() ? request.wizardUser
                                                     : post.site.userName;
    credentials.password = !d.password.empty() ? d.password
                           : !password.empty() ? password
                                               : post.site.password;
    switch (d.kind) {
    case DestinationKind::Folder:
        return std::make_unique<FolderTransport>(Utf8FromCodePage(d.folder));
    case DestinationKind::WebDav:
        return MakeWebDavTransport(d, credentials, post.site.certSha256);
    case DestinationKind::Ftp:
        return MakeFtpTransport(d, credentials);
    }
    return nullptr;
}

}  // namespace

Resolution ResolveDestination(const PostRequest &request) {
    if (request.siteName.empty() && request.url.empty())
        return Refused(result::kPostInfoRequired,
                       "Both the site name and the destination URL are empty.");
    Resolution resolution;
    ResolvedPost &post = resolution.post;
    if (!request.siteName.empty()) {
        switch (LoadSite(request.siteName, post.site)) {
        case SiteLookup::Found:
            break;
        case SiteLookup::Corrupt:
            return Refused(result::kSiteCorrupt,
                           "The site \"" + request.siteName + "\" has no usable URL or kind.");
        case SiteLookup::Missing:
            if (request.url.empty())
                return Refused(result::kSiteDoesNotExist,
                               "No site is stored under the name \"" + request.siteName + "\".");
            post.site = StoredSite{};
            break;
        }
    }
    const std::string url = request.url.empty() ? post.site.url : request.url;
    ParsedDestination parsed = ParseDestination(url);
    if (!parsed.destination) {
        resolution.failure = parsed.failure;
        return resolution;
    }
    post.destination = *parsed.destination;
    if (!post.site.name.empty() && request.url.empty() && post.site.kind != post.destination.kind)
        return Refused(result::kSiteCorrupt,
                       "The site \"" + request.siteName + "\" is stored as kind \"" +
                           KindName(post.site.kind) + "\" but its URL is not.");
    post.siteNameOut = request.siteName;
    post.urlOut = UrlWithoutPassword(url);
    resolution.ok = true;
    return resolution;
}

namespace {

// The post itself, in UTF-8 throughout (see utf8_text.h).
PostOutcome PostInUtf8(const PostRequest &request, const ResolvedPost &post) {
    std::vector<std::string> localPaths;
    for (const std::string &path : request.localPaths)
        localPaths.push_back(Utf8FromCodePage(path));
    Win32LocalTree tree;
    PlanResult plan = BuildUploadPlan(tree, localPaths, !(request.flags & WPF_NO_RECURSIVE_POST));
    if (!plan.ok) {
        PostOutcome outcome;
        outcome.code = plan.failure.code;
        outcome.cause = plan.failure.cause;
        return outcome;
    }
    std::unique_ptr<Transport> transport = MakeTransport(post, request);
    Win32LocalFacts facts;
    const bool sendAll = request.fullPost || post.site.fullPost;
    if (request.flags & WPF_NO_PROGRESS_DLGS) {
        SilentObserver silent;
        return RunPublish(plan.plan, *transport, facts, silent, sendAll);
    }
    ProgressWindow progress(request.owner);
    return RunPublish(plan.plan, *transport, facts, progress, sendAll);
}

}  // namespace

PostOutcome ExecutePost(const PostRequest &request, const ResolvedPost &post) {
    PostOutcome outcome = PostInUtf8(request, post);
    // The caller reads the cause in the system code page.
    outcome.cause = CodePageFromUtf8(outcome.cause);
    return outcome;
}

}  // namespace webpost
