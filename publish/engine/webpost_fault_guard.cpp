#include "webpost_fault_guard.h"

#include <windows.h>

namespace publish {

namespace {

struct GuardFrame {
    CONTEXT resume;  // where a fault goes back to
    DWORD threadId;
    void *volatile handler;
    volatile LONG faulted;
    volatile bool active;
};

// The guard. Zephyne has one thread and one call under guard at a time, so
// one frame for the process is all there is to it; it is static, aligned as
// the x86-64 CONTEXT needs, and outside the stack that a fault abandons.
alignas(16) GuardFrame guard;

bool IsProcessorFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
        return true;
    default:
        return false;
    }
}

LONG CALLBACK OnException(EXCEPTION_POINTERS *exception) {
    if (!guard.active || guard.faulted || guard.threadId != ::GetCurrentThreadId() ||
        !IsProcessorFault(exception->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    guard.faulted = 1;
    // Only the parts the capture filled in (control, integer and floating
    // point registers); extended state stays as the system has it.
    *exception->ContextRecord = guard.resume;
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

// Never inlined: the captured context must belong to a frame of its own that
// lives until the guard returns.
__attribute__((noinline)) bool RunFaultGuarded(void (*call)(void *), void *context) {
    if (guard.active)
        return false;  // no nesting: a second call would share the frame
    guard.threadId = ::GetCurrentThreadId();
    guard.faulted = 0;
    guard.handler = nullptr;

    ::RtlCaptureContext(&guard.resume);
    // Reached twice: after the capture, and again when a fault resumes here
    // with the registers as they were at the capture. What is read from here
    // on lives in the guard (volatile), never in a register set later.
    if (guard.faulted) {
        guard.active = false;
        if (guard.handler)
            ::RemoveVectoredExceptionHandler(guard.handler);
        guard.handler = nullptr;
        return false;
    }

    guard.handler = ::AddVectoredExceptionHandler(1, OnException);
    if (!guard.handler)
        return false;
    guard.active = true;
    call(context);
    guard.active = false;
    ::RemoveVectoredExceptionHandler(guard.handler);
    guard.handler = nullptr;
    return true;
}

}  // namespace publish
