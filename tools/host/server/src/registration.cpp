#include "registration.h"

#include <windows.h>

#include "platform/registry_key.h"
#include "standin_protocol.h"

namespace standin {

namespace {

constexpr char kDescription[] = "Camera host stand-in";

bool SetDefault(const std::string &key, const std::string &value) {
    return platform::RegistryKey::Create(HKEY_CLASSES_ROOT, key, KEY_SET_VALUE)
        .WriteString("", value);
}

// Gone afterwards, whether it was there or not.
bool RemoveTree(const std::string &key) {
    LONG status = ::RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return false;
    status = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

const std::string kClassKey = std::string("CLSID\\") + kClsid;

}  // namespace

bool RegisterServer(const std::string &programPath) {
    return SetDefault(kProgId, kDescription) &&
           SetDefault(std::string(kProgId) + "\\CLSID", kClsid) &&
           SetDefault(kClassKey, kDescription) &&
           SetDefault(kClassKey + "\\LocalServer32", "\"" + programPath + "\"") &&
           SetDefault(kClassKey + "\\ProgID", kProgId);
}

bool UnregisterServer() {
    bool progId = RemoveTree(kProgId);
    bool classKey = RemoveTree(kClassKey);
    return progId && classKey;
}

}  // namespace standin
