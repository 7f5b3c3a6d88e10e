#include "dynamic_library.h"

#include "platform/unique_handle.h"

#include <dlfcn.h>

#include <utility>

namespace pdrcam {
namespace {

// A loaded library in the tree's one handle owner.
struct LoadedLibraryTraits {
    using Handle = void *;
    static void *Invalid() noexcept { return nullptr; }
    static void Close(void *handle) noexcept { ::dlclose(handle); }
};
using UniqueLibrary = platform::UniqueHandle<LoadedLibraryTraits>;

class PosixLibrary : public DynamicLibrary {
public:
    explicit PosixLibrary(UniqueLibrary handle) : handle_(std::move(handle)) {}

    void *symbol(const char *name) const override { return ::dlsym(handle_.Get(), name); }

private:
    UniqueLibrary handle_;
};

}  // namespace

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string &name, std::string &error) {
    UniqueLibrary handle(::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) {
        const char *reason = ::dlerror();
        error = reason ? reason : "unknown loader error";
        return nullptr;
    }
    return std::make_unique<PosixLibrary>(std::move(handle));
}

const char *DynamicLibrary::cameraLibraryName() {
    return "libpeltrix.so";
}

}  // namespace pdrcam
