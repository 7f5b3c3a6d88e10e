#include "framework/cursors.h"

#include "framework/app.h"

namespace fw {

HCURSOR CopyCursorFromModule(const std::string &path, UINT resourceId) {
    // Loaded as a program module: LoadCursor reads resources of any image,
    // and nothing of the module runs.
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!module)
        return nullptr;
    HCURSOR copy = nullptr;
    if (HCURSOR cursor = ::LoadCursorA(module, MAKEINTRESOURCEA(resourceId)))
        copy = reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(cursor)));
    ::FreeLibrary(module);
    return copy;
}

std::string WindowsFolderFile(const std::string &name) {
    char folder[MAX_PATH] = "";
    UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string path = std::string(folder, length) + "\\" + name;
    return path.size() < MAX_PATH ? path : std::string();
}

HCURSOR CreatePlaneCursor(int width, int height, int hotX, int hotY,
                          const std::vector<uint8_t> &andPlane,
                          const std::vector<uint8_t> &xorPlane) {
    if (width <= 0 || height <= 0)
        return nullptr;
    size_t planeBytes = static_cast<size_t>((width + 15) / 16 * 2) * height;
    if (andPlane.size() != planeBytes || xorPlane.size() != planeBytes)
        return nullptr;
    CApp *app = CApp::Current();
    HINSTANCE instance = app ? app->GetInstance() : ::GetModuleHandleA(nullptr);
    return ::CreateCursor(instance, hotX, hotY, width, height, andPlane.data(), xorPlane.data());
}

}  // namespace fw
