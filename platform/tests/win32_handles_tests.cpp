// Window-system objects are freed by their owners, once.
#include <gtest/gtest.h>

#include <utility>

#include "platform/win32_handles.h"

namespace platform_test {
namespace {

TEST(Win32Handles, MenuIsDestroyedWithItsOwner) {
    HMENU raw = nullptr;
    {
        platform::UniqueMenu menu(::CreatePopupMenu());
        raw = menu.Get();
        ASSERT_TRUE(::IsMenu(raw));
    }
    EXPECT_FALSE(::IsMenu(raw));
}

TEST(Win32Handles, MovedMenuIsDestroyedOnceByItsNewOwner) {
    platform::UniqueMenu first(::CreatePopupMenu());
    HMENU raw = first.Get();
    {
        platform::UniqueMenu second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), raw);
        EXPECT_TRUE(::IsMenu(raw));
    }
    EXPECT_FALSE(::IsMenu(raw));
}

TEST(Win32Handles, ResetFreesTheOldHandleAndReleaseKeepsIt) {
    platform::UniqueMenu menu(::CreatePopupMenu());
    HMENU old = menu.Get();
    menu.Reset(::CreatePopupMenu());
    EXPECT_FALSE(::IsMenu(old));
    HMENU kept = menu.Release();
    EXPECT_FALSE(menu);
    EXPECT_TRUE(::IsMenu(kept));
    ::DestroyMenu(kept);
}

TEST(Win32Handles, FontIsDeletedWithItsOwner) {
    HFONT raw = nullptr;
    {
        platform::UniqueFont font(::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, TRUE, 0, DEFAULT_CHARSET, 0,
                                           0, 0, 0, "Arial"));
        raw = font.Get();
        ASSERT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(::GetObjectType(raw), 0u);
}

}  // namespace
}  // namespace platform_test
