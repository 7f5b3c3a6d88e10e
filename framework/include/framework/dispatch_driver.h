// Client of an automation object: creates it from its ProgID, holds its
// dispatch interface and calls its methods by dispatch identifier.
//
// A failing call throws one of two kinds, both a CDispatchError:
//   COleFailure         - an OLE status: no object, unknown member, refused
//                         arguments, a result that does not convert;
//   CAutomationException - the object's own error report (DISP_E_EXCEPTION)
//                         with its source, description and codes.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "framework/com_ptr.h"
#include "framework/ole_types.h"

namespace fw {

class CDispatchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class COleFailure : public CDispatchError {
public:
    explicit COleFailure(HRESULT status);
    HRESULT Status() const { return status_; }

private:
    HRESULT status_;
};

class CAutomationException : public CDispatchError {
public:
    CAutomationException(std::string source, std::string description, SCODE scode, WORD wCode);
    const std::string &Source() const { return source_; }
    const std::string &Description() const { return description_; }
    SCODE Scode() const { return scode_; }
    WORD WCode() const { return wCode_; }

private:
    std::string source_;
    std::string description_;
    SCODE scode_;
    WORD wCode_;
};

// One positional argument of a call.
class CDispArg {
public:
    static CDispArg Bool(bool value) { return CDispArg(VT_BOOL, value ? -1 : 0); }
    static CDispArg Long(long value) { return CDispArg(VT_I4, value); }
    static CDispArg Short(short value) { return CDispArg(VT_I2, value); }
    static CDispArg String(const std::string &text) { return CDispArg(text); }
    static CDispArg NullString() { return CDispArg(VT_BSTR, 0); }

    VARTYPE Type() const { return type_; }
    // Fills a fresh (empty) variant; a string is copied into a new BSTR.
    void Store(VARIANT &variant) const;

private:
    CDispArg(VARTYPE type, long number) : type_(type), number_(number) {}
    explicit CDispArg(const std::string &text) : type_(VT_BSTR), text_(text), hasText_(true) {}

    VARTYPE type_;
    long number_ = 0;
    std::string text_;
    bool hasText_ = false;
};

class CDispatchDriver {
public:
    CDispatchDriver() = default;
    ~CDispatchDriver() = default;
    CDispatchDriver(const CDispatchDriver &) = delete;
    CDispatchDriver &operator=(const CDispatchDriver &) = delete;

    // Creates the object (any server kind), runs it and takes its dispatch
    // interface, releasing one held before. False with the status in
    // `status` (if given) when that fails.
    bool CreateDispatch(const std::string &progId, HRESULT *status = nullptr);
    // Holds `dispatch` (taking a reference of its own).
    void AttachDispatch(IDispatch *dispatch);
    void ReleaseDispatch() { dispatch_.Release(); }
    IDispatch *GetDispatch() const { return dispatch_.Get(); }
    bool HasDispatch() const { return static_cast<bool>(dispatch_); }

    // Calls method `id` with the arguments in their natural order. The
    // result is converted to `resultType` (VT_EMPTY: no result wanted).
    CVariant InvokeHelper(DISPID id, VARTYPE resultType, std::initializer_list<CDispArg> args);

    void InvokeMethod(DISPID id, std::initializer_list<CDispArg> args = {});
    bool InvokeBool(DISPID id, std::initializer_list<CDispArg> args = {});
    long InvokeLong(DISPID id, std::initializer_list<CDispArg> args = {});
    short InvokeShort(DISPID id, std::initializer_list<CDispArg> args = {});
    std::string InvokeString(DISPID id, std::initializer_list<CDispArg> args = {});

private:
    CComPtr<IDispatch> dispatch_;
};

}  // namespace fw
