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
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kFakeWebPostScriptKey, name, REG_DWORD, &value,
                      sizeof value);
}

void FakeScript::Text(const char *name, const std::string &text) const {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kFakeWebPostScriptKey, name, REG_SZ, text.c_str(),
                      static_cast<DWORD>(text.size() + 1));
}

std::optional<DWORD> FakeScript::RecordedNumber(const char *name) const {
    DWORD value = 0, size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, kFakeWebPostRecordKey, name, RRF_RT_REG_DWORD, nullptr,
                       &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<std::string> FakeScript::RecordedText(const char *name) const {
    DWORD size = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, kFakeWebPostRecordKey, name, RRF_RT_REG_SZ, nullptr,
                       nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<char> buffer(size + 1, '\0');
    if (::RegGetValueA(HKEY_CURRENT_USER, kFakeWebPostRecordKey, name, RRF_RT_REG_SZ, nullptr,
                       buffer.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(buffer.data());
}

void UseZephyneProductKey() {
    settings::SetProductKeySource({::GetModuleHandleA(nullptr), IDS_PRODUCT_KEY});
}

}  // namespace testsupport
