#include "fake_webpost_trouble.h"

#include <windows.h>

#include <cstdint>

namespace testsupport {

namespace {

// A pointer into the first page, which is never mapped.
const void *const kBadPointer = reinterpret_cast<const void *>(uintptr_t(0x10));

volatile LONG ownReadActive = 0;

// The library's own handler: a fault of its own read is skipped, with -1 as
// what was read. The read is the two-byte instruction in ReadOwnWord.
LONG CALLBACK SkipOwnRead(EXCEPTION_POINTERS *exception) {
    if (!ownReadActive || exception->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
        return EXCEPTION_CONTINUE_SEARCH;
    ownReadActive = 0;
    CONTEXT &context = *exception->ContextRecord;
#if defined(__x86_64__)
    context.Rip += 2;
    context.Rax = 0xFFFFFFFF;
#else
    context.Eip += 2;
    context.Eax = 0xFFFFFFFF;
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

__attribute__((noinline)) int ReadOwnWord(const void *from) {
    int value;
    // mov (%ecx/%rcx), %eax: 8B 01 on both architectures.
    __asm__ __volatile__("movl (%1), %0" : "=a"(value) : "c"(from) : "memory");
    return value;
}

bool HandleOwnFault() {
    // Last in the list: any handler registered before runs first, as a
    // frame-based handler of the library's would run after them.
    PVOID handler = ::AddVectoredExceptionHandler(0, SkipOwnRead);
    if (!handler)
        return false;
    ownReadActive = 1;
    int value = ReadOwnWord(kBadPointer);
    ownReadActive = 0;
    ::RemoveVectoredExceptionHandler(handler);
    return value == -1;
}

// Read through a volatile, so that the compiler cannot see the end of the
// recursion and remove it.
volatile DWORD diveLimit = 0xFFFFFFFF;

__attribute__((noinline)) DWORD Dive(DWORD depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (depth == diveLimit)
        return frame[0];
    return Dive(depth + 1) + frame[0];
}

}  // namespace

bool RunPostTrouble(PostTrouble trouble) {
    switch (trouble) {
    case PostTrouble::None:
        return false;
    case PostTrouble::OwnFaultHandled:
        return HandleOwnFault();
    case PostTrouble::PlatformLengthOfBadPointer:
        return ::lstrlenA(static_cast<LPCSTR>(kBadPointer)) == 0;
    case PostTrouble::PlatformProbeOfBadPointer:
        return ::IsBadReadPtr(kBadPointer, 4) != FALSE;
    case PostTrouble::StackOverflow:
        Dive(0);
        return false;
    case PostTrouble::UncaughtSoftwareException:
        ::RaiseException(0xE0000001, 0, 0, nullptr);
        return false;
    case PostTrouble::UncaughtNoncontinuableException:
        ::RaiseException(0xE0000001, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        return false;
    }
    return false;
}

}  // namespace testsupport
