#pragma once
// Texts for result codes. Every code WpPostA can return has its own sentence;
// the cause of the last failure (the file, the server's answer) is appended by
// the caller from the failure record, not here.

#include <string>

#include "result_codes.h"

namespace webpost {

// The sentence for `code`; empty for a code this library never returns.
std::string ErrorSentence(ResultCode code);

// The full text WpGetErrorStringA gives: the sentence, followed by the cause
// when `cause` belongs to the same code (the last failure). Empty when the
// code has no sentence.
std::string ErrorText(ResultCode code, ResultCode lastCode, const std::string &lastCause);

}  // namespace webpost
