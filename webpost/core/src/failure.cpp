#include "failure.h"

namespace webpost {

namespace {

struct LastFailure {
    ResultCode code = result::kSuccess;
    std::string cause;
};

LastFailure &Last() {
    static LastFailure last;
    return last;
}

}  // namespace

void RecordLastFailure(ResultCode code, const std::string &cause) {
    Last().code = code;
    Last().cause = cause;
}

ResultCode LastFailureCode() {
    return Last().code;
}

const std::string &LastFailureCause() {
    return Last().cause;
}

}  // namespace webpost
