// The core's result codes are the platform headers' numbers.
#include <windows.h>
#include <wpapimsg.h>

#include "result_codes.h"

using namespace webpost;

static_assert(result::kCancelled == static_cast<ResultCode>(HRESULT_FROM_WIN32(ERROR_CANCELLED)));
static_assert(result::kBufferTooSmall ==
              static_cast<ResultCode>(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)));
static_assert(result::kInvalidArgument == static_cast<ResultCode>(E_INVALIDARG));
static_assert(result::kUnknown == static_cast<ResultCode>(WEBPOST_ERROR_UNKNOWN));
static_assert(result::kNoProvider == static_cast<ResultCode>(WEBPOST_ERROR_PROVCLSID_UNKNOWN));
static_assert(result::kSiteCorrupt == static_cast<ResultCode>(WEBPOST_ERROR_SITE_CORRUPT));
static_assert(result::kInitFailed == static_cast<ResultCode>(WEBPOST_ERROR_INIT_FAILED));
static_assert(result::kCreateSite == static_cast<ResultCode>(WEBPOST_ERROR_CREATE_SITE));
static_assert(result::kSiteDoesNotExist ==
              static_cast<ResultCode>(WEBPOST_ERROR_SITE_DOESNOTEXIST));
static_assert(result::kPostFiles == static_cast<ResultCode>(WEBPOST_ERROR_POST_FILES));
static_assert(result::kPostInfoRequired ==
              static_cast<ResultCode>(WEBPOST_ERROR_POSTINFO_REQUIRED));
static_assert(result::kExtendedError == static_cast<ResultCode>(WEBPOST_ERROR_EXTENDED_ERROR));
