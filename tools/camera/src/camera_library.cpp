#include "camera_library.h"

#include <cstring>

namespace pdrcam {
namespace {

template <typename Fn>
bool bindExport(const DynamicLibrary &library, const char *name, Fn &slot, std::string &missing) {
    void *address = library.symbol(name);
    if (!address) {
        missing = name;
        return false;
    }
    // Object and function pointers have the same size on every platform we
    // build for; memcpy avoids the cast that the language leaves undefined.
    static_assert(sizeof(slot) == sizeof(address), "function pointer size");
    std::memcpy(&slot, &address, sizeof slot);
    return true;
}

}  // namespace

bool CameraLibrary::resolve(const DynamicLibrary &library, CameraApi &api, std::string &missing) {
#define PDRCAM_BIND_EXPORT(name)                                                                   \
    if (!bindExport(library, #name, api.name, missing))                                            \
        return false;
    PDRCAM_CAMERA_EXPORTS(PDRCAM_BIND_EXPORT)
#undef PDRCAM_BIND_EXPORT
    return true;
}

std::unique_ptr<CameraLibrary> CameraLibrary::load(const std::string &name, std::string &error) {
    const std::string file = name.empty() ? DynamicLibrary::cameraLibraryName() : name;
    std::string reason;
    auto library = DynamicLibrary::open(file, reason);
    if (!library) {
        error = "cannot load the camera library " + file + ": " + reason;
        return nullptr;
    }
    CameraApi api;
    std::string missing;
    if (!resolve(*library, api, missing)) {
        error = "the camera library " + file + " has no export " + missing;
        return nullptr;
    }
    return std::unique_ptr<CameraLibrary>(new CameraLibrary(std::move(library), api));
}

}  // namespace pdrcam
