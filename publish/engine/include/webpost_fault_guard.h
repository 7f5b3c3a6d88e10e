#pragma once
// The one place where Zephyne survives a crash of the posting library: a
// call into WEBPOST.DLL runs under this guard, and a processor fault raised
// anywhere inside it (access violation, illegal or privileged instruction,
// integer division by zero, misaligned data, in-page error, array bounds)
// ends the call instead of the process. Whatever the library held at that
// moment is abandoned; the caller treats the library as unusable.
//
// How: the guard marks its own frame as a jump target (__builtin_setjmp),
// then installs a vectored exception handler for the time of the call. When
// a fault of the kinds above reaches that handler on the guarded thread, the
// handler points the faulting context at a small resume function placed on
// the stack just below the guard's frames, and resumes: the system's own
// context switch leaves the library, and the resume function jumps back to
// the mark, which sees the fault flag and returns false. No unwinding runs
// through the library's frames, which may have no unwind data; on i686 the
// chain of exception frames is set back to what it was at the call, since
// frames that the library registered lie on the stack it leaves. The same
// code serves x86-64 and i686 (the system's capture of a context cannot:
// on i686 it records the caller's frame, not the guard's). Only one guard is
// active at a time.
//
// Limits: a vectored handler runs before the library's own exception
// handlers, so a library that deliberately catches its own access
// violations is treated as faulted; a stack overflow is not caught.

namespace zephyne {

// Runs `call(context)`. True when it returned normally; false when a fault
// inside it was caught.
bool RunFaultGuarded(void (*call)(void *context), void *context);

}  // namespace zephyne
