// Owned handles are freed by their owner, once.
#include <gtest/gtest.h>

#include <utility>

#include "framework/scoped_handle.h"

namespace {

TEST(ScopedHandleTest, MenuIsDestroyedWithItsOwner) {
    HMENU raw = nullptr;
    {
        fw::CMenuHandle menu(::CreatePopupMenu());
        raw = menu.Get();
        ASSERT_TRUE(::IsMenu(raw));
    }
    EXPECT_FALSE(::IsMenu(raw));
}

TEST(ScopedHandleTest, MovedMenuIsDestroyedOnceByItsNewOwner) {
    fw::CMenuHandle first(::CreatePopupMenu());
    HMENU raw = first.Get();
    {
        fw::CMenuHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), raw);
        EXPECT_TRUE(::IsMenu(raw));
    }
    EXPECT_FALSE(::IsMenu(raw));
}

TEST(ScopedHandleTest, ResetFreesTheOldHandleAndDetachKeepsIt) {
    fw::CMenuHandle menu(::CreatePopupMenu());
    HMENU old = menu.Get();
    menu.Reset(::CreatePopupMenu());
    EXPECT_FALSE(::IsMenu(old));
    HMENU kept = menu.Detach();
    EXPECT_FALSE(menu);
    EXPECT_TRUE(::IsMenu(kept));
    ::DestroyMenu(kept);
}

TEST(ScopedHandleTest, FontIsDeletedWithItsOwner) {
    HFONT raw = nullptr;
    {
        fw::CFontHandle font(::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, TRUE, 0, DEFAULT_CHARSET, 0,
                                           0, 0, 0, "Arial"));
        raw = font.Get();
        ASSERT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(::GetObjectType(raw), 0u);
}

}  // namespace
