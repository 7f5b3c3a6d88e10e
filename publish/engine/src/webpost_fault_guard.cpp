#include "webpost_fault_guard.h"

#include <windows.h>

#include <cstdint>

namespace zephyne {

namespace {

struct GuardFrame {
    void *jump[5];    // __builtin_setjmp's buffer: where a fault goes back to
    void *callFrame;  // frame of the guarded call; everything below is the call's
#if defined(__i386__)
    void *exceptionList;  // the chain of exception frames at the call
#endif
    DWORD threadId;
    void *volatile handler;
    volatile LONG faulted;
    volatile bool active;
};

// The guard. Zephyne has one thread and one call under guard at a time, so
// one frame for the process is all there is to it, outside the stack that a
// fault abandons.
GuardFrame guard;

// Room left between the guarded call's frame and the resume function's.
constexpr uintptr_t kResumeGap = 256;

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

// Entered instead of the faulting instruction, on the abandoned call's stack
// (committed, and free now); goes back to the mark in RunFaultGuarded.
__attribute__((noinline, noreturn)) void ResumeAfterFault() {
#if defined(__i386__)
    // The head of the chain is the first word of the thread's information
    // block, at fs:0.
    __asm__ __volatile__("movl %0, %%fs:0" : : "r"(guard.exceptionList) : "memory");
#endif
    __builtin_longjmp(guard.jump, 1);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS *exception) {
    if (!guard.active || guard.faulted || guard.threadId != ::GetCurrentThreadId() ||
        !IsProcessorFault(exception->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    guard.faulted = 1;
    // A stack for the resume function as a call would leave it: aligned, one
    // return address below the alignment, clear of the guard's own frames.
    const uintptr_t stack =
        (reinterpret_cast<uintptr_t>(guard.callFrame) - kResumeGap) & ~uintptr_t(15);
    CONTEXT &context = *exception->ContextRecord;
#if defined(__x86_64__)
    context.Rsp = stack - sizeof(void *);
    context.Rip = reinterpret_cast<DWORD64>(&ResumeAfterFault);
#elif defined(__i386__)
    context.Esp = stack - sizeof(void *);
    context.Eip = reinterpret_cast<DWORD>(&ResumeAfterFault);
#else
#error "the fault guard knows the x86-64 and i686 contexts only"
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Never inlined: its frame marks where the guarded call's stack begins.
__attribute__((noinline)) void CallBelowMark(void (*call)(void *), void *context) {
    guard.callFrame = __builtin_frame_address(0);
    call(context);
}

void EndGuard() {
    guard.active = false;
    if (guard.handler)
        ::RemoveVectoredExceptionHandler(guard.handler);
    guard.handler = nullptr;
}

}  // namespace

// Never inlined: the mark must belong to a frame of its own that lives until
// the guard returns.
__attribute__((noinline)) bool RunFaultGuarded(void (*call)(void *), void *context) {
    if (guard.active)
        return false;  // no nesting: a second call would share the frame
    guard.threadId = ::GetCurrentThreadId();
    guard.faulted = 0;
    guard.handler = nullptr;
#if defined(__i386__)
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(guard.exceptionList));
#endif
    // Reached twice: now (0), and again (1) when a fault resumes here. What is
    // read after the second return lives in the guard, never in a register.
    if (__builtin_setjmp(guard.jump)) {
        EndGuard();
        return false;
    }
    guard.handler = ::AddVectoredExceptionHandler(1, OnException);
    if (!guard.handler)
        return false;
    guard.active = true;
    CallBelowMark(call, context);
    EndGuard();
    return true;
}

}  // namespace zephyne
