#include "error_text.h"

namespace webpost {

namespace {

struct Sentence {
    ResultCode code;
    const char *text;
};

constexpr Sentence kSentences[] = {
    {result::kSuccess, "The files were posted."},
    {result::kCancelled, "Posting was cancelled."},
    {result::kBufferTooSmall, "A buffer given to the Web Publishing library is too small."},
    {result::kInvalidArgument, "The Web Publishing library was called with a missing argument."},
    {result::kUnknown, "Posting failed for an unknown reason."},
    {result::kNoProvider,
     "The destination is of a kind that cannot be posted to (use a folder, http://, https:// "
     "or ftp://). Nothing was posted."},
    {result::kSiteCorrupt, "The stored settings of the destination site are damaged."},
    {result::kInitFailed, "The network or file functions could not be started."},
    {result::kCreateSite, "The new destination site could not be stored."},
    {result::kSiteDoesNotExist, "There is no destination site of this name."},
    {result::kPostFiles, "The files could not all be posted."},
    {result::kPostInfoRequired,
     "No destination was given: a site name or a destination URL is needed."},
    {result::kExtendedError, "The server refused the files."},
};

}  // namespace

std::string ErrorSentence(ResultCode code) {
    for (const Sentence &s : kSentences) {
        if (s.code == code)
            return s.text;
    }
    return {};
}

std::string ErrorText(ResultCode code, ResultCode lastCode, const std::string &lastCause) {
    std::string text = ErrorSentence(code);
    if (text.empty())
        return text;
    if (code == lastCode && !lastCause.empty())
        text += "\r\n" + lastCause;
    return text;
}

}  // namespace webpost
