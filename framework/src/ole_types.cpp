#include "framework/ole_types.h"

#include "framework/text_codepage.h"

namespace fw {

CBstr::CBstr(const std::string &text) {
    std::wstring wide = AnsiToWide(text);
    bstr_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string CBstr::ToAnsi() const {
    return bstr_ ? WideToAnsi(bstr_, static_cast<int>(::SysStringLen(bstr_))) : std::string();
}

HRESULT CVariant::ChangeType(VARTYPE type) {
    if (variant_.vt == type)
        return S_OK;
    return ::VariantChangeType(&variant_, &variant_, 0, type);
}

}  // namespace fw
