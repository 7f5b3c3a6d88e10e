// The handle owner's contract, first with a traits type that records every
// close, then with real handles of the platform the test runs on.
#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <vector>

#ifdef _WIN32
#include "platform/win32_handles.h"
#else
#include <fcntl.h>

#include "platform/unique_fd.h"
#endif

namespace platform_test {
namespace {

std::vector<int> closed;

struct RecordingTraits {
    using Handle = int;
    static int Invalid() { return 0; }
    static void Close(int handle) { closed.push_back(handle); }
};
using Owner = platform::UniqueHandle<RecordingTraits>;

struct Case {
    const char *what;
    void (*steps)(Owner &first, Owner &second);
    int firstHolds;
    int secondHolds;
    std::vector<int> closedBeforeEnd;
};

const Case kCases[] = {
    {"nothing owned", [](Owner &, Owner &) {}, 0, 0, {}},
    {"reset closes the old handle", [](Owner &a, Owner &) { a.Reset(1); a.Reset(2); }, 2, 0, {1}},
    {"reset to the same handle keeps it open", [](Owner &a, Owner &) { a.Reset(1); a.Reset(1); },
     1, 0, {}},
    {"reset to none closes", [](Owner &a, Owner &) { a.Reset(1); a.Reset(); }, 0, 0, {1}},
    {"release gives up without closing",
     [](Owner &a, Owner &) { a.Reset(1); EXPECT_EQ(a.Release(), 1); }, 0, 0, {}},
    {"move construction takes over",
     [](Owner &a, Owner &b) { a.Reset(1); Owner c(std::move(a)); b = std::move(c); }, 0, 1, {}},
    {"move assignment closes the target's handle",
     [](Owner &a, Owner &b) { a.Reset(1); b.Reset(2); b = std::move(a); }, 0, 1, {2}},
    {"self move keeps the handle",
     [](Owner &a, Owner &) { a.Reset(1); Owner &same = a; a = std::move(same); }, 1, 0, {}},
    {"receive closes what is held and fills the slot",
     [](Owner &a, Owner &) { a.Reset(1); *a.Receive() = 3; }, 3, 0, {1}},
};

TEST(UniqueHandle, EachStepClosesExactlyWhatItGivesUp) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.what);
        closed.clear();
        {
            Owner first;
            Owner second;
            c.steps(first, second);
            EXPECT_EQ(first.Get(), c.firstHolds);
            EXPECT_EQ(static_cast<bool>(first), c.firstHolds != 0);
            EXPECT_EQ(second.Get(), c.secondHolds);
            EXPECT_EQ(closed, c.closedBeforeEnd);
            closed.clear();
        }
        std::vector<int> atEnd;
        for (int held : {c.firstHolds, c.secondHolds})
            if (held)
                atEnd.push_back(held);
        EXPECT_EQ(closed.size(), atEnd.size()) << "every handle still held is closed once at the end";
    }
}

#ifdef _WIN32
bool IsOpen(HANDLE handle) {
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != 0;
}

TEST(UniqueHandle, RealFileAndEventHandlesAreClosedByTheirOwners) {
    char path[MAX_PATH];
    char folder[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, folder), 0u);
    ASSERT_NE(::GetTempFileNameA(folder, "uh", 0, path), 0u);
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE event = nullptr;
    {
        platform::UniqueFile owner(::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                 FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        platform::UniqueKernel eventOwner(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(owner);
        ASSERT_TRUE(eventOwner);
        file = owner.Get();
        event = eventOwner.Get();
        EXPECT_TRUE(IsOpen(file));
        EXPECT_TRUE(IsOpen(event));
    }
    EXPECT_FALSE(IsOpen(file));
    EXPECT_FALSE(IsOpen(event));
    EXPECT_EQ(::GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES) << "closed, so deleted";
    // A failed open owns nothing, whichever "none" value the call reports.
    EXPECT_FALSE(platform::UniqueFile(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(platform::UniqueKernel(nullptr));
}
#else
TEST(UniqueHandle, RealFileDescriptorsAreClosedByTheirOwner) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    {
        platform::UniqueFd reader(ends[0]);
        platform::UniqueFd writer(ends[1]);
        platform::UniqueFd moved(std::move(writer));
        EXPECT_FALSE(writer);
        EXPECT_NE(::fcntl(ends[1], F_GETFD), -1);
    }
    EXPECT_EQ(::fcntl(ends[0], F_GETFD), -1);
    EXPECT_EQ(::fcntl(ends[1], F_GETFD), -1);
    EXPECT_FALSE(platform::UniqueFd(-1));
}
#endif

}  // namespace
}  // namespace platform_test
