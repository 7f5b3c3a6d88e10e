#include "registration.h"

#include <windows.h>

#include "standin_protocol.h"

namespace standin {

namespace {

constexpr char kDescription[] = "Camera host stand-in";

bool SetDefault(const std::string &key, const std::string &value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status =
        ::RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(handle);
    return status == ERROR_SUCCESS;
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
