#pragma once
// The one owner of an operating-system handle in this tree: a file, a search,
// a registry key, a window-system object, a loaded module, a file descriptor.
// What differs between kinds is only the "no handle" value and the call that
// gives one back, so each kind is a small traits type:
//
//   struct Traits {
//       using Handle = ...;
//       static Handle Invalid();        // the value that owns nothing
//       static void Close(Handle h);    // gives a valid handle back
//   };
//
// The vocabulary follows std::unique_ptr: Get, Release, Reset, and a test for
// ownership. Portable: the Windows traits live in win32_handles.h, the POSIX
// one in unique_fd.h.

#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    UniqueHandle(UniqueHandle &&other) noexcept : handle_(other.Release()) {}
    UniqueHandle &operator=(UniqueHandle &&other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    // Gives the handle up without closing it.
    Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

    // Closes the handle held so far and takes `handle` over. Resetting to the
    // handle already held keeps it open.
    void Reset(Handle handle = Traits::Invalid()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid() && old != handle)
            Traits::Close(old);
    }

    // For calls that hand a new handle back through a pointer: closes what is
    // held and lends the slot, e.g. RegOpenKeyExA(..., key.Receive()).
    Handle *Receive() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

}  // namespace platform
