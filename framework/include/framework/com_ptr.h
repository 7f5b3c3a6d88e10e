// One counted reference to a COM interface, released with its holder.
#pragma once
#include <unknwn.h>

#include <utility>

namespace fw {

template <typename Interface>
class CComPtr {
public:
    CComPtr() = default;
    // Takes a reference of its own.
    explicit CComPtr(Interface *pointer) : pointer_(pointer) {
        if (pointer_)
            pointer_->AddRef();
    }
    CComPtr(const CComPtr &other) : CComPtr(other.pointer_) {}
    CComPtr(CComPtr &&other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    CComPtr &operator=(CComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~CComPtr() { Release(); }

    Interface *Get() const { return pointer_; }
    Interface *operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // Takes over a reference the caller already holds.
    void Attach(Interface *pointer) {
        Release();
        pointer_ = pointer;
    }
    // Hands the reference over to the caller.
    Interface *Detach() { return std::exchange(pointer_, nullptr); }
    void Release() {
        if (Interface *old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    // For functions that hand out a new reference through an out parameter.
    Interface **Receive() {
        Release();
        return &pointer_;
    }

private:
    Interface *pointer_ = nullptr;
};

}  // namespace fw
