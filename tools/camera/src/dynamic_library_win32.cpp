#include "dynamic_library.h"

#include <windows.h>

namespace pdrcam {
namespace {

class Win32Library : public DynamicLibrary {
public:
    explicit Win32Library(HMODULE module) : module_(module) {}
    ~Win32Library() override { FreeLibrary(module_); }
    Win32Library(const Win32Library &) = delete;
    Win32Library &operator=(const Win32Library &) = delete;

    void *symbol(const char *name) const override {
        return reinterpret_cast<void *>(GetProcAddress(module_, name));
    }

private:
    HMODULE module_;
};

}  // namespace

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string &name, std::string &error) {
    HMODULE module = LoadLibraryA(name.c_str());
    if (!module) {
        error = "LoadLibrary failed with system error " + std::to_string(GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32Library>(module);
}

const char *DynamicLibrary::cameraLibraryName() {
    return "Peltrix.dll";
}

}  // namespace pdrcam
