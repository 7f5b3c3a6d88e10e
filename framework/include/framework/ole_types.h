// Owned OLE strings and variants.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace fw {

class CBstr {
public:
    CBstr() = default;
    // From 8-bit text in the system code page.
    explicit CBstr(const std::string &text);
    ~CBstr() { ::SysFreeString(bstr_); }
    CBstr(const CBstr &) = delete;
    CBstr &operator=(const CBstr &) = delete;
    CBstr(CBstr &&other) noexcept : bstr_(other.Detach()) {}
    CBstr &operator=(CBstr &&other) noexcept {
        Attach(other.Detach());
        return *this;
    }

    BSTR Get() const { return bstr_; }
    void Attach(BSTR bstr) {
        if (bstr != bstr_)
            ::SysFreeString(bstr_);
        bstr_ = bstr;
    }
    BSTR Detach() { return std::exchange(bstr_, nullptr); }
    // 8-bit text; a null string gives empty text.
    std::string ToAnsi() const;

private:
    BSTR bstr_ = nullptr;
};

class CVariant {
public:
    CVariant() { ::VariantInit(&variant_); }
    ~CVariant() { ::VariantClear(&variant_); }
    CVariant(const CVariant &) = delete;
    CVariant &operator=(const CVariant &) = delete;
    CVariant(CVariant &&other) noexcept : CVariant() { std::swap(variant_, other.variant_); }

    VARIANT *Get() { return &variant_; }
    const VARIANT *Get() const { return &variant_; }
    VARTYPE Type() const { return variant_.vt; }
    void Clear() { ::VariantClear(&variant_); }

    // Converts in place; the failing status is returned and the value kept.
    HRESULT ChangeType(VARTYPE type);

private:
    VARIANT variant_;
};

}  // namespace fw
