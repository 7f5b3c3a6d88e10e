#pragma once
// A COM class's entries in HKEY_CLASSES_ROOT, written and removed in one
// place for every server of the tree: the ProgID that names the class, the
// class key with its ProgID, and the key that tells COM how to start the
// server (LocalServer32 with a command line, or InprocServer32 with a module
// path and its threading model).

#include <windows.h>

#include <string>

#include "platform/registry_key.h"

namespace platform {

struct ComClassRegistration {
    std::string progId;
    std::string clsid;  // in braces, as StringFromGUID2 writes it
    std::string description;
    // "LocalServer32" or "InprocServer32".
    std::string serverKind;
    // The command line of a local server, the module path of an in-process one.
    std::string server;
    // An in-process server's threading model ("Apartment", ...); empty for none.
    std::string threadingModel;
};

namespace detail {

inline bool SetClassesValue(const std::string &key, const std::string &name,
                            const std::string &value) {
    return RegistryKey::Create(HKEY_CLASSES_ROOT, key, KEY_SET_VALUE).WriteString(name, value);
}

// Gone afterwards, whether it was there or not.
inline bool RemoveClassesTree(const std::string &key) {
    LONG status = ::RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return false;
    status = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace detail

// True when every entry was written; a failure part-way leaves what was
// written, for UnregisterComClass to remove.
inline bool RegisterComClass(const ComClassRegistration &entry) {
    const std::string classKey = "CLSID\\" + entry.clsid;
    const std::string serverKey = classKey + "\\" + entry.serverKind;
    return detail::SetClassesValue(entry.progId, "", entry.description) &&
           detail::SetClassesValue(entry.progId + "\\CLSID", "", entry.clsid) &&
           detail::SetClassesValue(classKey, "", entry.description) &&
           detail::SetClassesValue(classKey + "\\ProgID", "", entry.progId) &&
           detail::SetClassesValue(serverKey, "", entry.server) &&
           (entry.threadingModel.empty() ||
            detail::SetClassesValue(serverKey, "ThreadingModel", entry.threadingModel));
}

// Removes the ProgID and the class key with everything below them; true when
// both are gone, also when they were not there.
inline bool UnregisterComClass(const std::string &progId, const std::string &clsid) {
    const bool progIdGone = detail::RemoveClassesTree(progId);
    const bool classGone = detail::RemoveClassesTree("CLSID\\" + clsid);
    return progIdGone && classGone;
}

}  // namespace platform
