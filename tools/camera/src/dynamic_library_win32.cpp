#include "dynamic_library.h"

#include "platform/win32_handles.h"

#include <windows.h>

#include <utility>

namespace pdrcam {
namespace {

class Win32Library : public DynamicLibrary {
public:
    explicit Win32Library(platform::UniqueModule module) : module_(std::move(module)) {}

    void *symbol(const char *name) const override {
        return reinterpret_cast<void *>(GetProcAddress(module_.Get(), name));
    }

private:
    platform::UniqueModule module_;
};

}  // namespace

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string &name, std::string &error) {
    platform::UniqueModule module(LoadLibraryA(name.c_str()));
    if (!module) {
        error = "LoadLibrary failed with system error " + std::to_string(GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32Library>(std::move(module));
}

const char *DynamicLibrary::cameraLibraryName() {
    return "Peltrix.dll";
}

}  // namespace pdrcam
