// A finding of the fuzz target that no sanitizer would report (an overwritten
// canary, nesting too deep, a call that does not finish): printed, then the
// process aborts so that libFuzzer keeps the input.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace peltrix {
namespace fuzz {

[[noreturn]] inline void fuzzFailure(const char *format, ...) __attribute__((format(printf, 1, 2)));

inline void fuzzFailure(const char *format, ...) {
    std::fputs("peltrix_fuzzer: FINDING: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::abort();
}

}  // namespace fuzz
}  // namespace peltrix
