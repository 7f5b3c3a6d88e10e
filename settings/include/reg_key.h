#pragma once
#include <windows.h>

namespace settings {

// Owns one open registry key; the key is closed when the owner goes away, so
// no early return can leak it.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { Close(); }

    RegKey(const RegKey &) = delete;
    RegKey &operator=(const RegKey &) = delete;
    RegKey(RegKey &&other) noexcept : key_(other.Detach()) {}
    RegKey &operator=(RegKey &&other) noexcept {
        if (this != &other) {
            Close();
            key_ = other.Detach();
        }
        return *this;
    }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

    HKEY Detach() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }

    void Close() {
        if (key_) {
            RegCloseKey(key_);
            key_ = nullptr;
        }
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace settings
