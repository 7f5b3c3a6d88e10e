#pragma once
// A failure on the way: the result code WpPostA returns for it and the cause
// in words (which file, what the server answered), which WpGetErrorStringA
// appends to the code's sentence.

#include <string>

#include "result_codes.h"

namespace webpost {

struct Failure {
    ResultCode code = result::kUnknown;
    std::string cause;
    // Worth another attempt (a dropped connection, a busy server).
    bool transient = false;
};

// The process-wide record of the last failure of WpPostA, read by
// WpGetErrorStringA. The API is single-threaded by contract.
void RecordLastFailure(ResultCode code, const std::string &cause);
ResultCode LastFailureCode();
const std::string &LastFailureCause();

}  // namespace webpost
