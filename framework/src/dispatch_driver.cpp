#include "framework/dispatch_driver.h"

#include <ole2.h>

#include <cstdio>
#include <vector>

#include "platform/code_page.h"

namespace fw {

namespace {

std::string StatusText(HRESULT status) {
    char text[64];
    std::snprintf(text, sizeof text, "OLE call failed (0x%08lX)",
                  static_cast<unsigned long>(status));
    return text;
}

// Turns the object's exception report into our exception, freeing its strings.
CAutomationException TakeException(EXCEPINFO &info) {
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    CBstr source, description, helpFile;
    source.Attach(info.bstrSource);
    description.Attach(info.bstrDescription);
    helpFile.Attach(info.bstrHelpFile);
    return CAutomationException(source.ToAnsi(), description.ToAnsi(), info.scode, info.wCode);
}

}  // namespace

COleFailure::COleFailure(HRESULT status) : CDispatchError(StatusText(status)), status_(status) {}

CAutomationException::CAutomationException(std::string source, std::string description, SCODE scode,
                                           WORD wCode)
    : CDispatchError(description.empty() ? "automation exception" : description),
      source_(std::move(source)), description_(std::move(description)), scode_(scode),
      wCode_(wCode) {}

void CDispArg::Store(VARIANT &variant) const {
    variant.vt = type_;
    switch (type_) {
    case VT_BOOL:
        variant.boolVal = number_ ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_I4:
        variant.lVal = number_;
        break;
    case VT_I2:
        variant.iVal = static_cast<SHORT>(number_);
        break;
    case VT_BSTR:
        variant.bstrVal = hasText_ ? CBstr(text_).Detach() : nullptr;
        break;
    default:
        variant.vt = VT_EMPTY;
        break;
    }
}

bool CDispatchDriver::CreateDispatch(const std::string &progId, HRESULT *status) {
    dispatch_.Release();
    CLSID clsid;
    std::wstring wideProgId = platform::CodePageToWide(progId);
    HRESULT result = ::CLSIDFromProgID(wideProgId.c_str(), &clsid);
    CComPtr<IUnknown> unknown;
    if (SUCCEEDED(result))
        result = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown,
                                    reinterpret_cast<void **>(unknown.Receive()));
    if (SUCCEEDED(result))
        result = ::OleRun(unknown.Get());
    if (SUCCEEDED(result))
        result =
            unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(dispatch_.Receive()));
    if (status)
        *status = result;
    if (FAILED(result))
        dispatch_.Release();
    return SUCCEEDED(result);
}

void CDispatchDriver::AttachDispatch(IDispatch *dispatch) {
    dispatch_ = CComPtr<IDispatch>(dispatch);
}

CVariant CDispatchDriver::InvokeHelper(DISPID id, VARTYPE resultType,
                                       std::initializer_list<CDispArg> args) {
    if (!dispatch_)
        throw COleFailure(E_POINTER);

    // IDispatch takes positional arguments last first.
    std::vector<CVariant> variants(args.size());
    size_t slot = args.size();
    for (const CDispArg &arg : args)
        arg.Store(*variants[--slot].Get());
    std::vector<VARIANT> raw;
    raw.reserve(variants.size());
    for (CVariant &variant : variants)
        raw.push_back(*variant.Get());  // shallow: `variants` still owns the contents

    DISPPARAMS params = {};
    params.rgvarg = raw.empty() ? nullptr : raw.data();
    params.cArgs = static_cast<UINT>(raw.size());

    CVariant result;
    EXCEPINFO exception = {};
    UINT argError = 0;
    HRESULT status = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                       result.Get(), &exception, &argError);
    if (status == DISP_E_EXCEPTION)
        throw TakeException(exception);
    if (FAILED(status))
        throw COleFailure(status);
    if (resultType == VT_EMPTY) {
        result.Clear();
        return result;
    }
    HRESULT converted = result.ChangeType(resultType);
    if (FAILED(converted))
        throw COleFailure(converted);
    return result;
}

void CDispatchDriver::InvokeMethod(DISPID id, std::initializer_list<CDispArg> args) {
    InvokeHelper(id, VT_EMPTY, args);
}

bool CDispatchDriver::InvokeBool(DISPID id, std::initializer_list<CDispArg> args) {
    return InvokeHelper(id, VT_BOOL, args).Get()->boolVal != VARIANT_FALSE;
}

long CDispatchDriver::InvokeLong(DISPID id, std::initializer_list<CDispArg> args) {
    return InvokeHelper(id, VT_I4, args).Get()->lVal;
}

short CDispatchDriver::InvokeShort(DISPID id, std::initializer_list<CDispArg> args) {
    return InvokeHelper(id, VT_I2, args).Get()->iVal;
}

std::string CDispatchDriver::InvokeString(DISPID id, std::initializer_list<CDispArg> args) {
    CVariant result = InvokeHelper(id, VT_BSTR, args);
    const BSTR text = result.Get()->bstrVal;
    return platform::WideToCodePage({text, ::SysStringLen(text)});
}

}  // namespace fw
