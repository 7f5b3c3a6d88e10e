// One owned platform handle, freed when its owner goes away. Menus, fonts,
// icons and cursors that a window loads or creates live in one of these, so
// that every path out of a function or object gives them back.
#ifndef FRAMEWORK_SCOPED_HANDLE_H
#define FRAMEWORK_SCOPED_HANDLE_H

#include <windows.h>

#include <utility>

namespace fw {

template <typename Handle, typename Free>
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(Handle handle) : handle_(handle) {}
    ~CScopedHandle() { Reset(); }

    CScopedHandle(const CScopedHandle &) = delete;
    CScopedHandle &operator=(const CScopedHandle &) = delete;
    CScopedHandle(CScopedHandle &&other) noexcept : handle_(other.Detach()) {}
    CScopedHandle &operator=(CScopedHandle &&other) noexcept {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Frees the handle held so far and takes `handle` over.
    void Reset(Handle handle = nullptr) {
        if (handle_ && handle_ != handle)
            Free()(handle_);
        handle_ = handle;
    }
    // Gives the handle up without freeing it.
    Handle Detach() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

struct CMenuFree {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
struct CGdiObjectFree {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct CIconFree {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct CCursorFree {
    void operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }
};

using CMenuHandle = CScopedHandle<HMENU, CMenuFree>;
using CFontHandle = CScopedHandle<HFONT, CGdiObjectFree>;
// Only for icons and cursors the program made or loaded with LoadImage
// without LR_SHARED; shared ones must not be destroyed.
using CIconHandle = CScopedHandle<HICON, CIconFree>;
using CCursorHandle = CScopedHandle<HCURSOR, CCursorFree>;

}  // namespace fw

#endif
