#include "webpost_fault_guard.h"

#include <windows.h>

#include <malloc.h>

// The guard is a frame-based exception handler around the call, the way a
// compiler's __try builds one (g++ has no __try): the system dispatches an
// exception to the handlers of the frames inside the call first (the
// library's, and those of the system code it called), and only what none of
// them handles reaches the guard's frame. There the frames inside the call
// are unwound by the system (their termination handlers run, so a lock taken
// under one is released) and the call ends at the guard's own landing.
//
// i686: the frame is a registration record pushed onto the thread's chain
// at fs:0 by GuardedCall; its handler asks RtlUnwind to unwind the records
// above it, then lands in GuardedCall, which pops the record and returns 0.
// RtlUnwind comes back with only esp and ebp trustworthy (the system's may
// come back with the other registers cleared), so the landing reloads
// everything from the stack.
//
// x86-64: GuardedCall is a function with unwind data of its own that names
// the handler (.seh_handler); the dispatcher finds it by walking the frames
// of the call. The handler has RtlUnwindEx unwind to GuardedCall's frame and
// resume at its landing with 0 in rax. GuardedCall keeps every register its
// caller expects back in its own frame, so that the landing can also be
// reached without unwinding (below).
//
// Stack overflow: it is dispatched on what is left below the overflow. On
// i686 that holds the dispatch and RtlUnwind. On x86-64 it does not hold the
// search of the frames (Wine leaves one page, and the search alone copies
// contexts of over a kilobyte each), and the process would end inside the
// dispatcher; so there the guard also registers the last vectored handler
// for the time of the call, which takes a stack overflow on this thread
// before the search and resumes at the landing without unwinding. After an
// overflow the guard page below the stack is used up; _resetstkoflw puts one
// back, or the next overflow would end the process without a word.

extern "C" {

// One guarded call: the code of the exception that ended it, and (x86-64)
// where GuardedCall's frame begins, written by GuardedCall.
struct ZephyneGuardState {
    DWORD code;
    void *frame;
};

// Runs call(context) inside the guard's frame: 1 when it returned, 0 when an
// exception left it unhandled (its code then in state->code).
int ZephyneGuardedCall(void (*call)(void *), void *context, ZephyneGuardState *state);

#if defined(__i386__)

// The registration record that GuardedCall pushes: the two words the system
// walks, then the call's state.
struct ZephyneGuardRecord {
    ZephyneGuardRecord *next;
    void *handler;
    ZephyneGuardState *state;
};

// Unwinds the records above `record` and lands in GuardedCall. Never returns.
__attribute__((noreturn)) void ZephyneGuardLand(ZephyneGuardRecord *record,
                                                EXCEPTION_RECORD *exception);

__attribute__((used)) EXCEPTION_DISPOSITION __cdecl ZephyneGuardHandler(
    EXCEPTION_RECORD *exception, void *establisherFrame, CONTEXT *, void *) {
    if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    auto *record = static_cast<ZephyneGuardRecord *>(establisherFrame);
    record->state->code = exception->ExceptionCode;
    ZephyneGuardLand(record, exception);
}

// cdecl: 4(%esp) call, 8(%esp) context, 12(%esp) state.
// Frame: ebp, ebx, esi, edi saved, then the record {next, handler, state},
// so that the record sits 24 bytes below the saved ebp's slot.
__asm__(
    ".text\n"
    ".globl _ZephyneGuardedCall\n"
    "_ZephyneGuardedCall:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl 16(%ebp)\n"               // state
    "  pushl $_ZephyneGuardHandler\n"  // handler
    "  pushl %fs:0\n"                  // next
    "  movl %esp, %fs:0\n"
    "  pushl 12(%ebp)\n"
    "  call *8(%ebp)\n"
    "  addl $4, %esp\n"
    "  movl $1, %eax\n"
    "_ZephyneGuardPop:\n"  // esp at the record, ebp as above, eax the answer
    "  popl %ecx\n"
    "  movl %ecx, %fs:0\n"
    "  addl $8, %esp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  popl %ebp\n"
    "  ret\n"
    "\n"
    // cdecl: 4(%esp) record, 8(%esp) exception.
    ".globl _ZephyneGuardLand\n"
    "_ZephyneGuardLand:\n"
    "  pushl $0\n"         // ReturnValue
    "  pushl 12(%esp)\n"   // ExceptionRecord
    "  pushl $0\n"         // TargetIp: unused, RtlUnwind returns
    "  pushl 16(%esp)\n"   // TargetFrame: the guard's record
    "  call _RtlUnwind@16\n"
    "  movl 4(%esp), %esp\n"  // the record, now again the head of the chain
    "  leal 24(%esp), %ebp\n"
    "  xorl %eax, %eax\n"
    "  jmp _ZephyneGuardPop\n");

#elif defined(__x86_64__)

void ZephyneGuardLanding();

// The state of this thread's guarded call, nullptr outside one.
thread_local ZephyneGuardState *zephyneGuardActive = nullptr;

__attribute__((used)) EXCEPTION_DISPOSITION ZephyneGuardHandler(EXCEPTION_RECORD *exception,
                                                                void *establisherFrame, CONTEXT *,
                                                                DISPATCHER_CONTEXT *dispatch) {
    if (exception->ExceptionFlags & EXCEPTION_UNWIND)
        return ExceptionContinueSearch;
    // GuardedCall keeps the state 32 bytes above its frame's base (above the
    // callee's home area).
    auto *state =
        *reinterpret_cast<ZephyneGuardState **>(static_cast<char *>(establisherFrame) + 32);
    state->code = exception->ExceptionCode;
    ::RtlUnwindEx(establisherFrame, reinterpret_cast<void *>(&ZephyneGuardLanding), exception,
                  nullptr, dispatch->ContextRecord, dispatch->HistoryTable);
    return ExceptionContinueSearch;  // RtlUnwindEx does not return
}

LONG CALLBACK ZephyneGuardOverflow(EXCEPTION_POINTERS *exception) {
    ZephyneGuardState *state = zephyneGuardActive;
    if (!state || !state->frame ||
        exception->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    state->code = EXCEPTION_STACK_OVERFLOW;
    CONTEXT &context = *exception->ContextRecord;
    context.Rsp = reinterpret_cast<DWORD64>(state->frame);
    context.Rip = reinterpret_cast<DWORD64>(&ZephyneGuardLanding);
    context.Rax = 0;
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Microsoft x64: rcx call, rdx context, r8 state. The frame keeps every
// register the caller expects back (rbp, rbx, rsi, rdi, r12-r15,
// xmm6-xmm15), so that the landing can restore them whichever way it is
// reached. From the frame's base: 32 bytes of home area for the callee, the
// state pointer at 32, xmm6-xmm15 at 48..207.
#define ZEPHYNE_XMM(n, at) \
    "  movaps %xmm" #n ", " #at "(%rsp)\n  .seh_savexmm %xmm" #n ", " #at "\n"
#define ZEPHYNE_XMM_BACK(n, at) "  movaps " #at "(%rsp), %xmm" #n "\n"
__asm__(
    ".text\n"
    ".globl ZephyneGuardedCall\n"
    ".def ZephyneGuardedCall; .scl 2; .type 32; .endef\n"
    ".seh_proc ZephyneGuardedCall\n"
    "ZephyneGuardedCall:\n"
    "  pushq %rbp\n  .seh_pushreg %rbp\n"
    "  pushq %rbx\n  .seh_pushreg %rbx\n"
    "  pushq %rsi\n  .seh_pushreg %rsi\n"
    "  pushq %rdi\n  .seh_pushreg %rdi\n"
    "  pushq %r12\n  .seh_pushreg %r12\n"
    "  pushq %r13\n  .seh_pushreg %r13\n"
    "  pushq %r14\n  .seh_pushreg %r14\n"
    "  pushq %r15\n  .seh_pushreg %r15\n"
    "  subq $216, %rsp\n  .seh_stackalloc 216\n"
    ZEPHYNE_XMM(6, 48) ZEPHYNE_XMM(7, 64) ZEPHYNE_XMM(8, 80) ZEPHYNE_XMM(9, 96)
    ZEPHYNE_XMM(10, 112) ZEPHYNE_XMM(11, 128) ZEPHYNE_XMM(12, 144) ZEPHYNE_XMM(13, 160)
    ZEPHYNE_XMM(14, 176) ZEPHYNE_XMM(15, 192)
    "  .seh_endprologue\n"
    "  .seh_handler ZephyneGuardHandler, @except\n"
    "  movq %r8, 32(%rsp)\n"
    "  movq %rsp, 8(%r8)\n"
    "  movq %rcx, %rax\n"
    "  movq %rdx, %rcx\n"
    "  callq *%rax\n"
    "  movl $1, %eax\n"
    ".globl ZephyneGuardLanding\n"
    "ZephyneGuardLanding:\n"  // rsp at the frame's base, eax the answer
    ZEPHYNE_XMM_BACK(6, 48) ZEPHYNE_XMM_BACK(7, 64) ZEPHYNE_XMM_BACK(8, 80)
    ZEPHYNE_XMM_BACK(9, 96) ZEPHYNE_XMM_BACK(10, 112) ZEPHYNE_XMM_BACK(11, 128)
    ZEPHYNE_XMM_BACK(12, 144) ZEPHYNE_XMM_BACK(13, 160) ZEPHYNE_XMM_BACK(14, 176)
    ZEPHYNE_XMM_BACK(15, 192)
    "  addq $216, %rsp\n"
    "  popq %r15\n"
    "  popq %r14\n"
    "  popq %r13\n"
    "  popq %r12\n"
    "  popq %rdi\n"
    "  popq %rsi\n"
    "  popq %rbx\n"
    "  popq %rbp\n"
    "  retq\n"
    ".seh_endproc\n");
#undef ZEPHYNE_XMM
#undef ZEPHYNE_XMM_BACK

#else
#error "the fault guard knows the x86-64 and i686 frames only"
#endif

}  // extern "C"

namespace zephyne {

bool RunFaultGuarded(void (*call)(void *), void *context) {
    ZephyneGuardState state{0, nullptr};
#if defined(__x86_64__)
    ZephyneGuardState *outer = zephyneGuardActive;
    zephyneGuardActive = &state;
    PVOID overflow = ::AddVectoredExceptionHandler(0, ZephyneGuardOverflow);
    int returned = ZephyneGuardedCall(call, context, &state);
    if (overflow)
        ::RemoveVectoredExceptionHandler(overflow);
    zephyneGuardActive = outer;
#else
    int returned = ZephyneGuardedCall(call, context, &state);
#endif
    if (returned)
        return true;
    if (state.code == EXCEPTION_STACK_OVERFLOW)
        _resetstkoflw();
    return false;
}

}  // namespace zephyne
