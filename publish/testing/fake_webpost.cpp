// The stand-in WEBPOST.DLL of Zephyne's tests: both entries (or, built with
// FAKE_WEBPOST_WITHOUT_POST, only WpGetErrorStringA), answering as the test's
// script in the registry says and writing down what they received. It posts
// nothing and shows nothing.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "fake_webpost_script.h"
#include "fake_webpost_trouble.h"
#include "platform/registry_key.h"

using namespace testsupport;

namespace {

DWORD ScriptNumber(const char *name, DWORD fallback) {
    return platform::RegistryKey::Open(HKEY_CURRENT_USER, kFakeWebPostScriptKey)
        .ReadDword(name, fallback);
}

bool ScriptText(const char *name, std::string &text) {
    const auto value =
        platform::RegistryKey::Open(HKEY_CURRENT_USER, kFakeWebPostScriptKey).ReadString(name);
    if (value)
        text = *value;
    return value.has_value();
}

platform::RegistryKey RecordKey() {
    return platform::RegistryKey::Create(HKEY_CURRENT_USER, kFakeWebPostRecordKey);
}

void RecordNumber(const char *name, DWORD value) {
    RecordKey().WriteDword(name, value);
}

void RecordText(const char *name, const char *text) {
    RecordKey().WriteString(name, text ? text : "");
}

void RecordCall(const char *entry) {
    RecordText("Calls", (RecordKey().ReadString("Calls", "") + entry + ";").c_str());
}

// A processor fault raised on purpose, as a broken library would.
void Fault() {
    volatile int *nowhere = nullptr;
    *nowhere = 1;
}

// Copies `text` into a buffer of `*length` bytes as a library would: with
// its NUL when it fits, the bytes written (without NUL) then in `*length`.
void WriteBack(const std::string &text, char *buffer, DWORD *length) {
    if (!buffer || !length || *length == 0)
        return;
    size_t count = std::min<size_t>(text.size(), *length - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    *length = static_cast<DWORD>(count);
}

}  // namespace

extern "C" {

#ifndef FAKE_WEBPOST_WITHOUT_POST
__declspec(dllexport) HRESULT WINAPI
    WpPostA(HWND owner, DWORD pathCount, LPSTR *localPaths, LPDWORD siteNameLength, LPSTR siteName,
            LPDWORD urlLength, LPSTR url, DWORD flags) {
    RecordCall("WpPostA");
    RecordNumber("Owner", owner ? 1 : 0);
    RecordNumber("PathCount", pathCount);
    RecordText("LocalDir", pathCount && localPaths ? localPaths[0] : "");
    RecordText("SiteName", siteName);
    RecordText("URL", url);
    RecordNumber("SiteNameLength", siteNameLength ? *siteNameLength : 0xFFFFFFFF);
    RecordNumber("URLLength", urlLength ? *urlLength : 0xFFFFFFFF);
    RecordNumber("Flags", flags);
    if (ScriptNumber("PostFault", 0))
        Fault();
    if (auto trouble = static_cast<PostTrouble>(ScriptNumber("PostTrouble", 0));
        trouble != PostTrouble::None)
        RecordNumber("TroubleSurvived", RunPostTrouble(trouble) ? 1 : 0);
    std::string text;
    if (ScriptText("PostSite", text))
        WriteBack(text, siteName, siteNameLength);
    if (ScriptText("PostURL", text))
        WriteBack(text, url, urlLength);
    return static_cast<HRESULT>(ScriptNumber("PostResult", 0));
}
#endif

__declspec(dllexport) UINT WINAPI WpGetErrorStringA(UINT code, LPSTR buffer, DWORD *length) {
    RecordCall("WpGetErrorStringA");
    RecordNumber("ErrorCode", code);
    RecordNumber("ErrorLengthIn", length ? *length : 0xFFFFFFFF);
    if (ScriptNumber("ErrorFault", 0))
        Fault();
    if (buffer && length) {
        if (ScriptNumber("ErrorFill", 0)) {
            std::memset(buffer, 'E', *length);
        } else {
            std::string text;
            if (ScriptText("ErrorText", text))
                WriteBack(text, buffer, length);
        }
        DWORD reported = ScriptNumber("ErrorLength", 0xFFFFFFFF);
        if (reported != 0xFFFFFFFF)
            *length = reported;
    }
    return ScriptNumber("ErrorResult", 0);
}

}  // extern "C"
