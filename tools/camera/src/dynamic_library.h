#pragma once
// A shared library loaded by name at run time, unloaded when the object goes.

#include <memory>
#include <string>

namespace pdrcam {

class DynamicLibrary {
public:
    virtual ~DynamicLibrary() = default;
    // The address of an exported symbol, or nullptr.
    virtual void *symbol(const char *name) const = 0;

    // Loads `name` the way the platform's loader searches for it; on failure
    // returns nullptr and puts the loader's reason into `error`.
    static std::unique_ptr<DynamicLibrary> open(const std::string &name, std::string &error);

    // The name hosts load the camera library by on this platform.
    static const char *cameraLibraryName();
};

}  // namespace pdrcam
