#pragma once
// The one place where Zephyne survives a crash of the posting library: a
// call into WEBPOST.DLL runs under this guard, and an exception that leaves
// the call unhandled (a processor fault, a stack overflow, a software
// exception nothing inside caught) ends the call instead of the process.
// The caller treats the library as unusable.
//
// The guard is the outermost exception handler of the call's own frames: the
// library's handlers, and those of the system code it calls, which probe
// memory and handle their own faults, see every exception first, and what
// they handle never reaches the guard (and the post goes on). What does reach
// it is unwound by the system, frame by frame, so that the library's
// termination handlers run and release what they guard, before the call
// ends. After a stack overflow the guard page below the stack is put back,
// so that the dialog that follows has a stack that can grow, and overflow
// again. Only frames with the system's unwinding data can be passed: on
// x86-64 every compiler emits them; on i686 the chain of registration records
// needs none.
//
// One exception to the order: on x86-64 a stack overflow is taken before the
// library's frame handlers see it, and the call's frames are not unwound,
// since what is left of the stack holds neither the search nor the
// unwinding (see webpost_fault_guard.cpp).

namespace zephyne {

// Runs `call(context)`. True when it returned normally; false when an
// exception left it unhandled.
bool RunFaultGuarded(void (*call)(void *context), void *context);

}  // namespace zephyne
