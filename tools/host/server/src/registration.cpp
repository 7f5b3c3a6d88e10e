#include "registration.h"

#include "platform/com_registration.h"
#include "standin_protocol.h"

namespace standin {

bool RegisterServer(const std::string &programPath) {
    platform::ComClassRegistration entry;
    entry.progId = kProgId;
    entry.clsid = kClsid;
    entry.description = "Camera host stand-in";
    entry.serverKind = "LocalServer32";
    entry.server = "\"" + programPath + "\"";
    return platform::RegisterComClass(entry);
}

bool UnregisterServer() {
    return platform::UnregisterComClass(kProgId, kClsid);
}

}  // namespace standin
