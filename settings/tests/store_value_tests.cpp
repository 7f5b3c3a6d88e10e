// Values: numbers and texts as stored, data of other types or sizes, defaults
// and deletion.
#include "store_fixture.h"

namespace settings_test {

namespace {
std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return {bytes.begin(), bytes.end()};
}
}  // namespace

TEST_F(StoreTest, NumbersAreLittleEndianDwordsTextsRegSzWithTheirNul) {
    ASSERT_TRUE(WriteRegDword("Connect", "ConnectVia", 0x01020304));
    ASSERT_TRUE(WriteRegString("Sdk", "DownloadAlbum", std::string("Holiday")));
    ASSERT_TRUE(WriteRegString("Sdk", "Empty", std::string()));
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(sandbox_.GetRaw(Under("Connect"), "ConnectVia", type, data));
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(data, Bytes({4, 3, 2, 1}));
    ASSERT_TRUE(sandbox_.GetRaw(Under("Sdk"), "DownloadAlbum", type, data));
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(data, std::string("Holiday", 8));
    ASSERT_TRUE(sandbox_.GetRaw(Under("Sdk"), "Empty", type, data));
    EXPECT_EQ(data, std::string(1, '\0'));
}

TEST_F(StoreTest, ValuesRoundTripAndMissingOnesGiveTheCallersDefault) {
    ASSERT_TRUE(WriteRegDword("Sdk", "RunOption", INT32_MIN));
    EXPECT_EQ(ReadRegDword("Sdk", "RunOption", 0), INT32_MIN);
    const std::string longText(3000, 'p');
    ASSERT_TRUE(WriteRegString("Install", "Download", longText));
    EXPECT_EQ(ReadRegString("Install", "Download", ""), longText);
    ASSERT_TRUE(WriteRegString("Sdk", "Empty", std::string()));
    EXPECT_EQ(ReadRegString("Sdk", "Empty", "default"), "");
    EXPECT_EQ(ReadRegDword("Sdk", "AutoDownload", 1), 1);
    EXPECT_EQ(ReadRegDword("Install", "twain", -1), -1);
    EXPECT_EQ(ReadRegString("Connect", "PCCardFile", "-"), "-");
}

TEST_F(StoreTest, NumberReadsFourBytesOfAnyTypeZeroFillsLessRefusesMore) {
    const std::string key = Under("Sdk");
    ASSERT_TRUE(sandbox_.SetRaw(key, "Binary", REG_BINARY, Bytes({0x78, 0x56, 0x34, 0x12})));
    ASSERT_TRUE(sandbox_.SetRaw(key, "Text3", REG_SZ, std::string("abc", 4)));
    ASSERT_TRUE(sandbox_.SetRaw(key, "Short", REG_BINARY, Bytes({0x34, 0x12})));
    ASSERT_TRUE(sandbox_.SetRaw(key, "Qword", REG_QWORD, Bytes({1, 0, 0, 0, 0, 0, 0, 0})));
    ASSERT_TRUE(WriteRegString("Sdk", "Text4", std::string("true")));
    EXPECT_EQ(ReadRegDword("Sdk", "Binary", 0), 0x12345678);
    EXPECT_EQ(ReadRegDword("Sdk", "Text3", 0), 0x00636261);
    EXPECT_EQ(ReadRegDword("Sdk", "Short", -1), 0x1234);
    EXPECT_EQ(ReadRegDword("Sdk", "Qword", 42), 42);
    EXPECT_EQ(ReadRegDword("Sdk", "Text4", -7), -7);
}

TEST_F(StoreTest, TextOfAnyTypeReadsUpToItsFirstNul) {
    const std::string key = Under("Connect");
    ASSERT_TRUE(sandbox_.SetRaw(key, "Bin", REG_BINARY, std::string("abc\0def", 7)));
    ASSERT_TRUE(sandbox_.SetRaw(key, "NoNul", REG_BINARY, "D:\\DCIM"));
    ASSERT_TRUE(sandbox_.SetRaw(key, "Zero", REG_BINARY, std::string()));
    ASSERT_TRUE(WriteRegDword("Connect", "Number", 0x00434241));
    EXPECT_EQ(ReadRegString("Connect", "Bin", "x"), "abc");
    EXPECT_EQ(ReadRegString("Connect", "NoNul", "x"), "D:\\DCIM");
    EXPECT_EQ(ReadRegString("Connect", "Zero", "x"), "");
    EXPECT_EQ(ReadRegString("Connect", "Number", "x"), "ABC");
}

TEST_F(StoreTest, NoTextDeletesOnlyAnExistingValue) {
    ASSERT_TRUE(WriteRegString("Sdk", "PCCardDrive", std::string("E:")));
    ASSERT_TRUE(WriteRegDword("Sdk", "FromVesko", 1));
    EXPECT_TRUE(WriteRegString("Sdk", "PCCardDrive", std::nullopt));
    EXPECT_EQ(ReadRegString("Sdk", "PCCardDrive", "gone"), "gone");
    EXPECT_FALSE(WriteRegString("Sdk", "PCCardDrive", std::nullopt));
    EXPECT_EQ(sandbox_.ValueCount(Under("Sdk")), 1u);
    EXPECT_EQ(ReadRegDword("Sdk", "FromVesko", 0), 1);
}

}  // namespace settings_test
