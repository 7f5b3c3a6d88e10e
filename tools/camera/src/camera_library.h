#pragma once
// The camera library loaded by name with every export this program needs
// resolved; the table stays valid as long as the object lives.

#include "camera_api.h"
#include "dynamic_library.h"

#include <memory>
#include <string>

namespace pdrcam {

class CameraLibrary {
public:
    // Loads `name` (the platform's usual name when empty). On failure returns
    // nullptr and says why in `error`: the library is missing or lacks an export.
    static std::unique_ptr<CameraLibrary> load(const std::string &name, std::string &error);

    // Resolves the table from an already loaded library; false names the
    // first missing export in `missing`.
    static bool resolve(const DynamicLibrary &library, CameraApi &api, std::string &missing);

    const CameraApi &api() const { return api_; }

private:
    CameraLibrary(std::unique_ptr<DynamicLibrary> library, const CameraApi &api)
        : library_(std::move(library)), api_(api) {}

    std::unique_ptr<DynamicLibrary> library_;
    CameraApi api_;
};

}  // namespace pdrcam
