#pragma once
// The one place where Zephyne survives a crash of the posting library: a
// call into WEBPOST.DLL runs under this guard, and a processor fault raised
// anywhere inside it (access violation, illegal or privileged instruction,
// integer division by zero, misaligned data, in-page error, array bounds)
// ends the call instead of the process. Whatever the library held at that
// moment is abandoned; the caller treats the library as unusable.
//
// How: the guard captures the processor context of its own frame, then
// installs a vectored exception handler for the time of the call. When a
// fault of the kinds above reaches that handler on the guarded thread, the
// handler replaces the faulting context with the captured one and resumes:
// execution continues in the guard's frame right after the capture, with the
// stack pointer of that frame, which sees the fault flag and returns false.
// On x86-64 and on i686 alike it is the system's own context switch that
// jumps back (no unwinding through the library's frames, which may have no
// unwind data). Only one guard is active at a time.
//
// Limits: a vectored handler runs before the library's own exception
// handlers, so a library that deliberately catches its own access
// violations is treated as faulted; a stack overflow is not caught.

namespace publish {

// Runs `call(context)`. True when it returned normally; false when a fault
// inside it was caught.
bool RunFaultGuarded(void (*call)(void *context), void *context);

}  // namespace publish
