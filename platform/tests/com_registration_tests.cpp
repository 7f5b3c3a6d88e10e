// A COM class's entries, written and removed in Wine's real HKEY_CLASSES_ROOT
// under a class identifier made for the test, and found again by COM's own
// ProgID lookup.
#include "platform/com_registration.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <optional>
#include <string>

#include "platform/code_page.h"

namespace platform_test {
namespace {

using platform::RegistryKey;

std::string NewClsid() {
    GUID guid;
    if (::CoCreateGuid(&guid) != S_OK)
        return {};
    wchar_t text[64];
    const int length = ::StringFromGUID2(guid, text, 64);
    return length > 1 ? platform::WideToCodePage({text, static_cast<size_t>(length - 1)})
                      : std::string();
}

std::optional<std::string> ClassesValue(const std::string &key, const std::string &name = "") {
    return RegistryKey::Open(HKEY_CLASSES_ROOT, key).ReadString(name);
}

// The class COM finds for the ProgID, empty when it finds none.
std::string ClsidOfProgId(const std::string &progId) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(platform::CodePageToWide(progId).c_str(), &clsid)))
        return {};
    wchar_t text[64];
    const int length = ::StringFromGUID2(clsid, text, 64);
    return platform::WideToCodePage({text, static_cast<size_t>(length - 1)});
}

TEST(ComRegistration, WritesWhatComFindsAndRemovesItAll) {
    const struct {
        const char *kind;
        const char *server;
        const char *threadingModel;
    } kServers[] = {
        {"LocalServer32", "\"C:\\Programs\\Server.exe\"", ""},
        {"InprocServer32", "C:\\Programs\\Server.dll", "Apartment"},
    };
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    for (const auto &s : kServers) {
        SCOPED_TRACE(s.kind);
        platform::ComClassRegistration entry;
        entry.clsid = NewClsid();
        ASSERT_FALSE(entry.clsid.empty());
        entry.progId = "PlatformTest.Class" + entry.clsid.substr(1, 8);
        entry.description = "Registration under test";
        entry.serverKind = s.kind;
        entry.server = s.server;
        entry.threadingModel = s.threadingModel;
        const std::string classKey = "CLSID\\" + entry.clsid;

        ASSERT_TRUE(platform::RegisterComClass(entry));
        EXPECT_EQ(ClassesValue(entry.progId), entry.description);
        EXPECT_EQ(ClassesValue(entry.progId + "\\CLSID"), entry.clsid);
        EXPECT_EQ(ClassesValue(classKey), entry.description);
        EXPECT_EQ(ClassesValue(classKey + "\\ProgID"), entry.progId);
        EXPECT_EQ(ClassesValue(classKey + "\\" + s.kind), entry.server);
        EXPECT_EQ(ClassesValue(classKey + "\\" + s.kind, "ThreadingModel"),
                  *s.threadingModel ? std::optional<std::string>(s.threadingModel)
                                    : std::nullopt);
        EXPECT_EQ(ClsidOfProgId(entry.progId), entry.clsid);

        EXPECT_TRUE(platform::UnregisterComClass(entry.progId, entry.clsid));
        EXPECT_FALSE(RegistryKey::Open(HKEY_CLASSES_ROOT, entry.progId));
        EXPECT_FALSE(RegistryKey::Open(HKEY_CLASSES_ROOT, classKey));
        EXPECT_EQ(ClsidOfProgId(entry.progId), "");
        // Already gone is what was asked for.
        EXPECT_TRUE(platform::UnregisterComClass(entry.progId, entry.clsid));
    }
    ::CoUninitialize();
}

}  // namespace
}  // namespace platform_test
