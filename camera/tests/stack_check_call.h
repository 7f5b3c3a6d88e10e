// Calls a function through a small i386 thunk that pushes 32-bit argument
// words itself and measures the stack pointer around the call, so that a
// callee removing more or fewer bytes than were pushed shows up as a number
// instead of as a corrupted stack later on.
#pragma once

#include <cstdint>

extern "C" {

// Pushes args[count-1] .. args[0] (args[0] ends up first, as in C), calls fn
// and returns its EAX. *espMoved receives ESP after the call minus ESP before
// the pushes: 0 when fn removed exactly count words (__stdcall with count
// arguments), -4 * count for a function that leaves them to the caller, and
// +4 for each word fn removed beyond those pushed. The thunk keeps 64 spare
// bytes below its saved registers, so a callee reading or removing up to 16
// words more than pushed does no harm, and it restores ESP itself afterwards.
std::int32_t stack_check_call(const void *fn, int count, const std::int32_t *args,
                              std::int32_t *espMoved);
}
