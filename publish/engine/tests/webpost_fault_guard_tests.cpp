// The fault guard: exceptions raised on purpose inside the guarded call, in
// this program and inside the stand-in WEBPOST.DLL, end the call and nothing
// else when nothing inside handles them; what a handler inside, or the
// system code called, handles does not end it. The guard works again
// afterwards, and a call that returns normally is not disturbed.
#include <gtest/gtest.h>

#include <windows.h>

#include "fake_script.h"
#include "fake_webpost_script.h"
#include "message_box_answerer.h"
#include "publish_site.h"
#include "registry_sandbox.h"
#include "webpost_entries.h"
#include "webpost_fault_guard.h"

#include <optional>

namespace zephyne_test {
namespace {

using namespace zephyne;

// Volatile: the compiler must not move the counting across the fault.
struct Probe {
    volatile int calls = 0;
    volatile int reachedAfterFault = 0;
};

void WriteThroughNull(void *context) {
    auto *probe = static_cast<Probe *>(context);
    probe->calls = probe->calls + 1;
    *static_cast<volatile int *>(nullptr) = 1;
    probe->reachedAfterFault = probe->reachedAfterFault + 1;
}

void DivideByZero(void *context) {
    auto *probe = static_cast<Probe *>(context);
    probe->calls = probe->calls + 1;
    volatile int zero = 0;
    volatile int quotient = 10 / zero;
    (void)quotient;
    probe->reachedAfterFault = probe->reachedAfterFault + 1;
}

void JumpToNowhere(void *context) {
    auto *probe = static_cast<Probe *>(context);
    probe->calls = probe->calls + 1;
    auto nowhere = reinterpret_cast<void (*)()>(static_cast<uintptr_t>(0x10));
    nowhere();
    probe->reachedAfterFault = probe->reachedAfterFault + 1;
}

void RaiseUncaught(void *context) {
    auto *probe = static_cast<Probe *>(context);
    probe->calls = probe->calls + 1;
    ::RaiseException(0xE0000002, 0, 0, nullptr);
    probe->reachedAfterFault = probe->reachedAfterFault + 1;
}

void ReturnNormally(void *context) {
    static_cast<Probe *>(context)->calls = 1;
}

TEST(FaultGuard, FaultsEndTheCallAndTheGuardWorksAgain) {
    struct Case {
        const char *what;
        void (*call)(void *);
        bool completes;
    } cases[] = {
        {"returns", ReturnNormally, true},
        {"access violation", WriteThroughNull, false},
        {"integer division by zero", DivideByZero, false},
        {"jump to an unmapped address", JumpToNowhere, false},
        {"software exception nothing catches", RaiseUncaught, false},
        {"returns after faults", ReturnNormally, true},
        {"access violation again", WriteThroughNull, false},
    };
    // Values of the caller's frame survive the jump back.
    volatile int sentinel = 0x5EED;
    for (const Case &c : cases) {
        Probe probe;
        EXPECT_EQ(RunFaultGuarded(c.call, &probe), c.completes) << c.what;
        EXPECT_EQ(probe.calls, 1) << c.what;
        EXPECT_EQ(probe.reachedAfterFault, 0) << c.what;
        EXPECT_EQ(sentinel, 0x5EED) << c.what;
    }
}

// An exception that a handler continues never leaves the call, whichever
// handler that is: the call goes on (vectored handlers all run before the
// frames are searched).
int softwareExceptionsSeen = 0;

// A handler with the platform's calling convention (a lambda would be
// __cdecl on 32-bit x86, and unbalance the dispatcher's stack).
LONG CALLBACK ContinueAfterSoftwareException(EXCEPTION_POINTERS *e) {
    if (e->ExceptionRecord->ExceptionCode != 0xE0000001)
        return EXCEPTION_CONTINUE_SEARCH;
    ++softwareExceptionsSeen;
    return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(FaultGuard, SoftwareExceptionsPassThrough) {
    int &seen = softwareExceptionsSeen;
    seen = 0;
    PVOID outer = ::AddVectoredExceptionHandler(0, ContinueAfterSoftwareException);
    ASSERT_NE(outer, nullptr);
    Probe probe;
    bool completed = RunFaultGuarded(
        [](void *context) {
            ::RaiseException(0xE0000001, 0, 0, nullptr);
            static_cast<Probe *>(context)->calls = 1;
        },
        &probe);
    ::RemoveVectoredExceptionHandler(outer);
    EXPECT_TRUE(completed);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(probe.calls, 1);
}

// The same inside the library: a fault in either entry is no crash, and the
// entries stay bound and usable afterwards.
TEST(FaultGuard, FaultsInsideTheLibraryBecomeUnusableCalls) {
    testsupport::RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.Ready());
    testsupport::FakeScript script;

    char site[261] = "s", url[261] = "u", dir[261] = "d";
    char *paths[1] = {dir};
    DWORD siteLength = 260, urlLength = 260;
    uint32_t result = 0xDEADBEEF;
    script.Number("PostFault", 1);
    EXPECT_FALSE(CallWpPostA(nullptr, 1, paths, &siteLength, site, &urlLength, url, 2, result));
    EXPECT_EQ(result, 0xDEADBEEFu);

    char text[2049] = "";
    DWORD length = 2048;
    script.Number("ErrorFault", 1);
    EXPECT_FALSE(CallWpGetErrorStringA(5, text, &length, result));

    script.Number("PostFault", 0);
    script.Number("PostResult", 0x80004005);
    EXPECT_TRUE(CallWpPostA(nullptr, 1, paths, &siteLength, site, &urlLength, url, 2, result));
    EXPECT_EQ(result, 0x80004005u);
    EXPECT_EQ(script.Calls(), "WpPostA;WpGetErrorStringA;WpPostA;");
}

// Whether the thread's stack has a guard page below the caller's frame, as a
// thread that can still grow its stack, and overflow it again, has.
bool StackHasGuardPage() {
    volatile char here = 0;
    MEMORY_BASIC_INFORMATION region{};
    if (!::VirtualQuery(const_cast<char *>(&here), &region, sizeof region))
        return false;
    auto *address = static_cast<char *>(region.AllocationBase);
    while (address < &here) {
        if (!::VirtualQuery(address, &region, sizeof region))
            return false;
        if (region.State == MEM_COMMIT && (region.Protect & PAGE_GUARD))
            return true;
        address = static_cast<char *>(region.BaseAddress) + region.RegionSize;
    }
    return false;
}

// Trouble inside the library's WpPostA and the outcome the publish run
// shows: what the library, or the platform code it calls, handles itself
// does not concern the guard, and the post goes on to Save Completed; what
// leaves the call unhandled is Missing Component, and the program goes on.
TEST(FaultGuard, TroubleInsideTheLibraryAndTheOutcomeShown) {
    testsupport::RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.Ready());
    testsupport::MessageBoxAnswerer answerer{IDOK};
    ASSERT_TRUE(answerer.Installed());
    testsupport::UseZephyneProductKey();
    ASSERT_TRUE(sandbox.SetRaw("Software\\Orvo\\Orvo Lumetto\\Web\\Publish", "HomePage", REG_SZ,
                               std::string("http://127.0.0.1/index.htm", 27)));

    using testsupport::PostTrouble;
    struct Case {
        const char *what;
        PostTrouble trouble;
        bool plainFault;
        const char *caption;
        std::optional<DWORD> survived;  // what the library wrote down
    } cases[] = {
        {"its own handler skips its own fault", PostTrouble::OwnFaultHandled, false,
         "Save Completed", 1},
        {"lstrlenA on a bad pointer", PostTrouble::PlatformLengthOfBadPointer, false,
         "Save Completed", 1},
        {"IsBadReadPtr on a bad pointer", PostTrouble::PlatformProbeOfBadPointer, false,
         "Save Completed", 1},
        {"stack overflow", PostTrouble::StackOverflow, false, "Missing Component", std::nullopt},
        {"stack overflow once more", PostTrouble::StackOverflow, false, "Missing Component",
         std::nullopt},
        {"software exception nothing catches", PostTrouble::UncaughtSoftwareException, false,
         "Missing Component", std::nullopt},
        {"noncontinuable software exception", PostTrouble::UncaughtNoncontinuableException, false,
         "Missing Component", std::nullopt},
        {"plain fault", PostTrouble::None, true, "Missing Component", std::nullopt},
        {"no trouble", PostTrouble::None, false, "Save Completed", std::nullopt},
    };
    for (const Case &c : cases) {
        testsupport::FakeScript script;
        script.Number("PostTrouble", static_cast<DWORD>(c.trouble));
        script.Number("PostFault", c.plainFault ? 1 : 0);
        answerer.boxes = 0;
        answerer.caption.clear();
        PublishSite();
        EXPECT_EQ(script.Calls(), "WpPostA;") << c.what;
        EXPECT_EQ(answerer.boxes, 1) << c.what;
        EXPECT_EQ(answerer.caption, c.caption) << c.what;
        EXPECT_EQ(script.RecordedNumber("TroubleSurvived"), c.survived) << c.what;
        EXPECT_TRUE(StackHasGuardPage()) << c.what;
    }
}

}  // namespace
}  // namespace zephyne_test
