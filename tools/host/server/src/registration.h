#pragma once
// The server's entries in HKEY_CLASSES_ROOT: the ProgID, the class and its
// LocalServer32 command (platform/com_registration.h). Both return true when
// every entry was written or removed.

#include <string>

namespace standin {

bool RegisterServer(const std::string &programPath);
bool UnregisterServer();

}  // namespace standin
