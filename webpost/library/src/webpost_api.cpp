// The two exports: argument and buffer checks, the wizard, the destination,
// the post, the write-back, and the record of the last failure that
// WpGetErrorStringA reads. No C++ exception leaves them.
#include <windows.h>
#include <wpapi.h>

#include <exception>
#include <new>

#include "error_text.h"
#include "failure.h"
#include "post_session.h"
#include "text_buffer.h"
#include "request_wizard.h"

using namespace webpost;

namespace {

// wpapi.h's WPF_SHOWPAGE_ALL lacks parentheses.
constexpr DWORD kAnyPage =
    WPF_SHOWPAGE_WELCOME | WPF_SHOWPAGE_SRCFILE | WPF_SHOWPAGE_DESTSITE | WPF_SHOWPAGE_PROVIDER;

DWORD Finish(ResultCode code, const std::string &cause) {
    RecordLastFailure(code, cause);
    return code;
}

bool Fits(const std::string &text, const DWORD *length) {
    return text.size() + 1 <= *length;
}

DWORD Post(HWND hwnd, DWORD count, LPSTR *paths, LPDWORD siteLength, LPSTR siteName,
           LPDWORD urlLength, LPSTR url, DWORD flags) {
    if (!siteLength || !urlLength || (count && !paths) || (!siteName && *siteLength) ||
        (!url && *urlLength))
        return Finish(result::kInvalidArgument,
                      "A length pointer, the list of local paths or a buffer is missing.");
    PostRequest request;
    request.owner = hwnd;
    request.flags = flags;
    request.siteName = ReadTextIn(siteName, *siteLength);
    request.url = ReadTextIn(url, *urlLength);
    for (DWORD i = 0; i < count; ++i) {
        if (paths[i] && *paths[i])
            request.localPaths.emplace_back(paths[i]);
    }

    if (!(flags & WPF_NO_WIZARD) && (flags & kAnyPage)) {
        switch (EditInWizard(request)) {
        case WizardEnd::Finished:
            break;
        case WizardEnd::Cancelled:
            return Finish(result::kCancelled, "The wizard was cancelled; nothing was posted.");
        case WizardEnd::Failed:
            return Finish(result::kInitFailed, "The wizard's windows cannot be shown.");
        }
    }

    Resolution resolution = ResolveDestination(request);
    if (!resolution.ok)
        return Finish(resolution.failure.code, resolution.failure.cause);
    const ResolvedPost &post = resolution.post;

    // Checked before anything is posted: a post whose answer cannot be
    // written back is refused as a whole.
    const bool siteFits = Fits(post.siteNameOut, siteLength);
    const bool urlFits = Fits(post.urlOut, urlLength);
    if (!siteFits || !urlFits) {
        if (!siteFits)
            *siteLength = static_cast<DWORD>(post.siteNameOut.size() + 1);
        if (!urlFits)
            *urlLength = static_cast<DWORD>(post.urlOut.size() + 1);
        return Finish(result::kBufferTooSmall,
                      std::string("The ") + (siteFits ? "URL" : "site name") +
                          " buffer is too small for the answer; nothing was posted.");
    }

    if (request.storeNewSite) {
        StoredSite site;
        site.name = request.siteName;
        site.url = post.urlOut;
        site.kind = post.destination.kind;
        site.userName = !post.destination.user.empty() ? post.destination.user : request.wizardUser;
        site.password = request.password;
        if (!SaveSite(site, request.keepPassword))
            return Finish(result::kCreateSite,
                          "The site \"" + site.name + "\" cannot be stored in the registry.");
    }

    const PostOutcome outcome = ExecutePost(request, post);
    if (outcome.code != result::kSuccess)
        return Finish(outcome.code, outcome.cause);

    std::uint32_t length = *siteLength;
    CopyTextOut(post.siteNameOut, siteName, &length);
    *siteLength = length;
    length = *urlLength;
    CopyTextOut(post.urlOut, url, &length);
    *urlLength = length;
    return Finish(result::kSuccess, "");
}

}  // namespace

extern "C" {

DWORD WINAPI WpPostA(HWND hwnd, DWORD dwNumLocalPaths, LPSTR *psLocalPaths,
                     LPDWORD pdwSiteNameBufLen, LPSTR sSiteName, LPDWORD pdwDestURLBufLen,
                     LPSTR sDestURL, DWORD dwFlag) {
    try {
        return Post(hwnd, dwNumLocalPaths, psLocalPaths, pdwSiteNameBufLen, sSiteName,
                    pdwDestURLBufLen, sDestURL, dwFlag);
    } catch (const std::bad_alloc &) {
        return Finish(result::kUnknown, "Out of memory.");
    } catch (const std::exception &e) {
        return Finish(result::kUnknown, e.what());
    } catch (...) {
        return Finish(result::kUnknown, "");
    }
}

DWORD WINAPI WpGetErrorStringA(UINT uErrCode, LPSTR sOutputBuf, LPDWORD pdwBufLen) {
    try {
        if (!pdwBufLen)
            return result::kInvalidArgument;
        const std::string text = ErrorText(uErrCode, LastFailureCode(), LastFailureCause());
        if (text.empty())
            return result::kInvalidArgument;
        std::uint32_t length = *pdwBufLen;
        const CopyOutcome outcome = CopyTextOut(text, sOutputBuf, &length);
        *pdwBufLen = length;
        return outcome == CopyOutcome::Written ? result::kSuccess : result::kBufferTooSmall;
    } catch (...) {
        return result::kUnknown;
    }
}

}  // extern "C"
