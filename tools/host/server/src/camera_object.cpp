#include "camera_object.h"

#include <cstdio>
#include <string>
#include <vector>

#include "control_store.h"
#include "framework/ole_types.h"
#include "platform/code_page.h"
#include "standin_protocol.h"

namespace standin {

namespace {

struct MethodSignature {
    DISPID id;
    const char *name;
    std::vector<VARTYPE> args;  // natural order
    VARTYPE result;             // VT_EMPTY: none
};

const MethodSignature kMethods[] = {
    {kApplyOptions, "ApplyOptions", {VT_BOOL}, VT_EMPTY},
    {kEndTask, "EndTask", {}, VT_BOOL},
    {kSetNotifyWindow, "SetNotifyWindow", {VT_I4}, VT_BOOL},
    {kOpenTask, "OpenTask", {VT_BOOL, VT_BOOL, VT_BOOL}, VT_I2},
    {kOpenTaskEx, "OpenTaskEx", {VT_BSTR, VT_BOOL, VT_BOOL, VT_BOOL}, VT_I2},
    {kSetClientTitle, "SetClientTitle", {VT_BSTR}, VT_EMPTY},
};

const MethodSignature *FindMethod(DISPID id) {
    for (const MethodSignature &method : kMethods)
        if (method.id == id)
            return &method;
    return nullptr;
}

// An argument as it arrived, for the log.
std::string Describe(const VARIANT &arg) {
    char text[32];
    switch (arg.vt) {
    case VT_BOOL:
        std::snprintf(text, sizeof text, "BOOL:%d", arg.boolVal);
        return text;
    case VT_I4:
        std::snprintf(text, sizeof text, "I4:%ld", static_cast<long>(arg.lVal));
        return text;
    case VT_I2:
        std::snprintf(text, sizeof text, "I2:%d", arg.iVal);
        return text;
    case VT_BSTR:
        if (!arg.bstrVal)
            return "BSTR(null)";
        return "BSTR:" + platform::WideToCodePage({arg.bstrVal, ::SysStringLen(arg.bstrVal)});
    default:
        std::snprintf(text, sizeof text, "VT%u", arg.vt);
        return text;
    }
}

BSTR NewBstr(const std::string &text) {
    return fw::CBstr(text).Detach();
}

void FillException(EXCEPINFO *exception, const Answers &answers) {
    if (!exception)
        return;
    *exception = EXCEPINFO{};
    exception->wCode = answers.exceptionCode;
    exception->scode = answers.exceptionCode ? 0 : answers.exceptionScode;
    exception->bstrSource = NewBstr(answers.exceptionSource);
    exception->bstrDescription = NewBstr(answers.exceptionDescription);
}

// The method's work once its arguments are accepted; `args` in natural
// order, converted. Sets the result in its stated type.
void Perform(const MethodSignature &method, const std::vector<fw::CVariant> &args,
             const Answers &answers, ServerLife &server, VARIANT &result) {
    auto setBool = [&result](bool value) {
        result.vt = VT_BOOL;
        result.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    };
    auto setShort = [&result](short value) {
        result.vt = VT_I2;
        result.iVal = value;
    };
    switch (method.id) {
    case kEndTask:
        setBool(answers.endTask);
        if (answers.endTask)
            server.EndTask();
        break;
    case kSetNotifyWindow:
        setBool(answers.setNotifyWindow);
        // The handle comes as a 32-bit number; handles widen with their sign.
        if (answers.setNotifyWindow)
            server.SetNotifyWindow(
                reinterpret_cast<HWND>(static_cast<LONG_PTR>(args[0].Get()->lVal)));
        break;
    case kOpenTask:
    case kOpenTaskEx: {
        const short answer = method.id == kOpenTask ? answers.openTask : answers.openTaskEx;
        setShort(answer);
        if (answer == 1)
            server.OpenTask(method.name);
        break;
    }
    case kSetClientTitle: {
        const BSTR title = args[0].Get()->bstrVal;
        server.SetClientTitle(title ? platform::WideToCodePage({title, ::SysStringLen(title)})
                                    : std::string());
        break;
    }
    default:  // ApplyOptions: only logged
        break;
    }
}

HRESULT Call(ServerLife &server, DISPID id, WORD flags, const DISPPARAMS *params, VARIANT *result,
             EXCEPINFO *exception, UINT *argError, CallRecord &record) {
    const MethodSignature *method = FindMethod(id);
    record.method = method ? method->name : "?";
    const UINT count = params ? params->cArgs : 0;
    for (UINT i = count; i-- > 0;)
        record.args.push_back(Describe(params->rgvarg[i]));

    if (!method || !(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (params && params->cNamedArgs > 0)
        return DISP_E_NONAMEDARGS;
    if (count != method->args.size())
        return DISP_E_BADPARAMCOUNT;
    std::vector<fw::CVariant> args(count);
    for (UINT k = 0; k < count; ++k) {
        const UINT slot = count - 1 - k;  // IDispatch hands them over last first
        if (FAILED(::VariantChangeType(args[k].Get(), &params->rgvarg[slot], 0, method->args[k]))) {
            if (argError)
                *argError = slot;
            return DISP_E_TYPEMISMATCH;
        }
    }
    if (id == kOpenTask || id == kOpenTaskEx)
        record.sideChannel = ReadSideChannel();

    const Answers answers = CurrentAnswers();
    if (answers.exceptionMethod == id) {
        FillException(exception, answers);
        return DISP_E_EXCEPTION;
    }
    fw::CVariant answer;
    Perform(*method, args, answers, server, *answer.Get());
    if (method->result == VT_EMPTY || !result)
        return S_OK;
    if (answers.resultType != VT_EMPTY) {
        HRESULT converted = answer.ChangeType(answers.resultType);
        if (FAILED(converted))
            return converted;
    }
    return ::VariantCopy(result, answer.Get());
}

}  // namespace

CameraObject::CameraObject(ServerLife &server) : server_(server) {
    server_.ObjectCreated();
}

CameraObject::~CameraObject() {
    server_.ObjectReleased();
}

HRESULT CameraObject::QueryInterface(REFIID iid, void **out) {
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CameraObject::Release() {
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CameraObject::GetTypeInfoCount(UINT *count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CameraObject::GetTypeInfo(UINT, LCID, ITypeInfo **info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CameraObject::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT CameraObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                  VARIANT *result, EXCEPINFO *exception, UINT *argError) {
    CallRecord record;
    record.dispid = id;
    record.process = ::GetCurrentProcessId();
    HRESULT status = Call(server_, id, flags, params, result, exception, argError, record);
    record.status = status;
    LogCall(record);
    return status;
}

}  // namespace standin
