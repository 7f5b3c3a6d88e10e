#include "dynamic_library.h"

#include <dlfcn.h>

namespace pdrcam {
namespace {

class PosixLibrary : public DynamicLibrary {
public:
    explicit PosixLibrary(void *handle) : handle_(handle) {}
    ~PosixLibrary() override { dlclose(handle_); }
    PosixLibrary(const PosixLibrary &) = delete;
    PosixLibrary &operator=(const PosixLibrary &) = delete;

    void *symbol(const char *name) const override { return dlsym(handle_, name); }

private:
    void *handle_;
};

}  // namespace

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string &name, std::string &error) {
    void *handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char *reason = dlerror();
        error = reason ? reason : "unknown loader error";
        return nullptr;
    }
    return std::make_unique<PosixLibrary>(handle);
}

const char *DynamicLibrary::cameraLibraryName() {
    return "libpeltrix.so";
}

}  // namespace pdrcam
