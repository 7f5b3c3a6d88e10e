#include "fake_script.h"

#include <vector>

#include "fake_webpost_script.h"
#include "platform/registry_key.h"
#include "settings_store.h"
#include "zephyne_ids.h"

namespace testsupport {

FakeScript::FakeScript() {
    Clear();
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kFakeWebPostRecordKey);
}

FakeScript::~FakeScript() {
    Clear();
}

void FakeScript::Clear() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ZephyneTests");
}

void FakeScript::Number(const char *name, DWORD value) const {
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kFakeWebPostScriptKey).WriteDword(name, value);
}

void FakeScript::Text(const char *name, const std::string &text) const {
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kFakeWebPostScriptKey).WriteString(name, text);
}

std::optional<DWORD> FakeScript::RecordedNumber(const char *name) const {
    return platform::RegistryKey::Open(HKEY_CURRENT_USER, kFakeWebPostRecordKey).ReadDword(name);
}

std::optional<std::string> FakeScript::RecordedText(const char *name) const {
    return platform::RegistryKey::Open(HKEY_CURRENT_USER, kFakeWebPostRecordKey).ReadString(name);
}

void UseZephyneProductKey() {
    settings::SetProductKeySource({::GetModuleHandleA(nullptr), IDS_PRODUCT_KEY});
}

}  // namespace testsupport
