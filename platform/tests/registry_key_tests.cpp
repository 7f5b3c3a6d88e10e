// The registry key's value rules, against Wine's real registry in a private
// HKEY_CURRENT_USER.
#include "platform/registry_key.h"

#include <gtest/gtest.h>

#include "registry_sandbox.h"

namespace platform_test {
namespace {

using platform::RegistryKey;

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sandbox_.Ready()); }
    testsupport::RegistrySandbox sandbox_;
};

struct Stored {
    const char *what;
    DWORD type;
    std::string bytes;
    std::optional<uint32_t> number;
    std::optional<std::string> text;
};

TEST_F(RegistryKeyTest, ReadsEveryStoredShapeByTheSettingsRules) {
    const Stored kValues[] = {
        {"a number", REG_DWORD, std::string("\x2a\x00\x00\x00", 4), 42u, std::string("*")},
        {"all bits set", REG_DWORD, std::string("\xff\xff\xff\xff", 4), 0xFFFFFFFFu,
         std::string("\xff\xff\xff\xff")},
        {"two bytes of binary: upper bytes zero", REG_BINARY, std::string("\x34\x12", 2), 0x1234u,
         std::string("\x34\x12")},
        {"empty binary: zero", REG_BINARY, std::string(), 0u, std::string()},
        {"text of four bytes reads as a number too", REG_SZ, std::string("abc\0", 4), 0x00636261u,
         std::string("abc")},
        {"long text: no number", REG_SZ, std::string("hello\0", 6), std::nullopt,
         std::string("hello")},
        {"text stops at the first NUL", REG_SZ, std::string("one\0two\0", 8), std::nullopt,
         std::string("one")},
        {"text without a NUL keeps all of it", REG_BINARY, std::string("abcdef", 6), std::nullopt,
         std::string("abcdef")},
    };
    RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Shapes");
    ASSERT_TRUE(key);
    for (const Stored &v : kValues) {
        SCOPED_TRACE(v.what);
        ASSERT_TRUE(key.WriteBytes(v.what, v.type, v.bytes));
        EXPECT_EQ(key.ReadDword(v.what), v.number);
        EXPECT_EQ(key.ReadDword(v.what, 7u), v.number.value_or(7u));
        EXPECT_EQ(key.ReadString(v.what), v.text);
        DWORD type = REG_NONE;
        EXPECT_EQ(key.ReadBytes(v.what, &type), v.bytes);
        EXPECT_EQ(type, v.type);
    }
    EXPECT_EQ(key.ValueCount(), std::size(kValues));
}

TEST_F(RegistryKeyTest, MissingKeysAndValuesLeaveTheCallersDefault) {
    const RegistryKey missing = RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Nowhere");
    const RegistryKey present = RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Here");
    ASSERT_FALSE(missing);
    ASSERT_TRUE(present);
    for (const RegistryKey *key : {&missing, &present}) {
        EXPECT_EQ(key->ReadDword("Absent", 0xBEEFu), 0xBEEFu);
        EXPECT_EQ(key->ReadString("Absent", "fallback"), "fallback");
        EXPECT_FALSE(key->ReadBytes("Absent"));
        EXPECT_FALSE(key->DeleteValue("Absent"));
        EXPECT_TRUE(key->SubkeyNames().empty());
    }
    EXPECT_FALSE(missing.WriteDword("Any", 1));
    EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Nowhere"))
        << "a failed open creates nothing";
}

TEST_F(RegistryKeyTest, WritesRoundTripAndCreateMakesEveryLevel) {
    RegistryKey deep = RegistryKey::Create(HKEY_CURRENT_USER, "Software\\A\\B\\C");
    ASSERT_TRUE(deep);
    EXPECT_TRUE(deep.WriteDword("Number", 0x80000001u));
    EXPECT_TRUE(deep.WriteString("Text", "caf\xe9"));
    EXPECT_TRUE(deep.WriteString("Empty", ""));
    EXPECT_EQ(deep.ReadDword("Number", 0), 0x80000001u);
    EXPECT_EQ(deep.ReadString("Text", ""), "caf\xe9");
    EXPECT_EQ(deep.ReadString("Empty", "x"), "");
    DWORD type = REG_NONE;
    EXPECT_EQ(deep.ReadBytes("Text", &type), std::string("caf\xe9\0", 5));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(deep.DeleteValue("Text"));
    EXPECT_EQ(deep.ReadString("Text", "gone"), "gone");

    RegistryKey middle = RegistryKey::Open(HKEY_CURRENT_USER, "Software\\A");
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle.SubkeyNames(), std::vector<std::string>{"B"});
    // Create on an existing key opens it: the values are still there.
    EXPECT_EQ(RegistryKey::Create(middle.Get(), "B\\C").ReadDword("Number", 0), 0x80000001u);
}

}  // namespace
}  // namespace platform_test
