// Where the store puts things: the key path, the levels it creates, the product
// key's name from the resource, and a user without "Software".
#include "store_fixture.h"

namespace settings_test {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(StoreTest, OpenCreatesMakerProductAndSubkeyButNoValue) {
    RegKey key = OpenAppKey("Sdk");
    ASSERT_TRUE(key);
    EXPECT_THAT(sandbox_.SubkeyNames("Software"), ElementsAre("Orvo"));
    EXPECT_THAT(sandbox_.SubkeyNames("Software\\Orvo"), ElementsAre(STORE_TEST_APPLET_PRODUCT));
    EXPECT_THAT(sandbox_.SubkeyNames("Software\\Orvo\\" STORE_TEST_APPLET_PRODUCT),
                ElementsAre("Sdk"));
    EXPECT_EQ(sandbox_.ValueCount(Under("Sdk")), 0u);
    // The key handed out is open for writing too.
    const DWORD one = 1;
    EXPECT_EQ(
        RegSetValueExA(key.Get(), "Probe", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4),
        ERROR_SUCCESS);
}

TEST_F(StoreTest, MereReadCreatesEveryLevelOfANestedSubkeyAndNoValue) {
    UseProductString(STORE_TEST_PUBLISHER_PRODUCT_ID);
    EXPECT_EQ(ReadRegDword("Web\\Publish", "ShowWizard", 1), 1);
    EXPECT_EQ(ReadRegString("Web\\Publish", "SiteName", ""), "");
    const std::string product = "Software\\Orvo\\" STORE_TEST_PUBLISHER_PRODUCT;
    EXPECT_THAT(sandbox_.SubkeyNames(product), ElementsAre("Web"));
    EXPECT_THAT(sandbox_.SubkeyNames(product + "\\Web"), ElementsAre("Publish"));
    EXPECT_EQ(sandbox_.ValueCount(product + "\\Web") +
                  sandbox_.ValueCount(product + "\\Web\\Publish"),
              0u);
}

TEST_F(StoreTest, ProductNameIsLoadedAgainAtEveryOpen) {
    ASSERT_TRUE(WriteRegDword("Sdk", "RunOption", 1));
    UseProductString(STORE_TEST_OTHER_PRODUCT_ID);
    EXPECT_EQ(ReadRegDword("Sdk", "RunOption", -5), -5);
    UseProductString(STORE_TEST_APPLET_PRODUCT_ID);
    EXPECT_EQ(ReadRegDword("Sdk", "RunOption", -5), 1);
    EXPECT_EQ(sandbox_.SubkeyNames("Software\\Orvo").size(), 2u);
    // Another program's change is seen at the next read.
    ASSERT_TRUE(sandbox_.SetRaw(Under("Sdk"), "RunOption", REG_DWORD, std::string(4, '\0')));
    EXPECT_EQ(ReadRegDword("Sdk", "RunOption", -5), 0);
}

TEST_F(StoreTest, MissingProductStringPutsSubkeysUnderTheMakerKey) {
    UseProductString(STORE_TEST_MISSING_ID);
    ASSERT_TRUE(WriteRegString("Install", "Download", std::string("C:\\Pictures")));
    EXPECT_THAT(sandbox_.SubkeyNames("Software\\Orvo"), ElementsAre("Install"));
    EXPECT_EQ(ReadRegString("Install", "Download", ""), "C:\\Pictures");
}

TEST(StoreWithoutSoftwareKey, ReadsGiveDefaultsWritesFailNothingIsCreated) {
    RegistrySandbox sandbox(RegistrySandbox::Software::Missing);
    ASSERT_TRUE(sandbox.Ready());
    const ProductKeySource previous = GetProductKeySource();
    SetProductKeySource({GetModuleHandleA(nullptr), STORE_TEST_APPLET_PRODUCT_ID});
    EXPECT_FALSE(OpenAppKey("Sdk"));
    EXPECT_EQ(ReadRegDword("Sdk", "ShowStartup", -3), -3);
    EXPECT_EQ(ReadRegString("Connect", "PCCardPath", "A:\\"), "A:\\");
    EXPECT_FALSE(WriteRegDword("Sdk", "FromVesko", 1));
    EXPECT_FALSE(WriteRegString("Sdk", "DownloadAlbum", std::string("Album")));
    EXPECT_FALSE(WriteRegString("Sdk", "PCCardDrive", std::nullopt));
    EXPECT_THAT(sandbox.SubkeyNames(""), IsEmpty());
    SetProductKeySource(previous);
}

}  // namespace settings_test
