#include "framework/ole_types.h"

#include "platform/code_page.h"

namespace fw {

CBstr::CBstr(const std::string &text) {
    std::wstring wide = platform::CodePageToWide(text);
    bstr_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string CBstr::ToAnsi() const {
    return platform::WideToCodePage({bstr_, ::SysStringLen(bstr_)});
}

HRESULT CVariant::ChangeType(VARTYPE type) {
    if (variant_.vt == type)
        return S_OK;
    return ::VariantChangeType(&variant_, &variant_, 0, type);
}

}  // namespace fw
