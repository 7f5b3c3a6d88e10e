#include "camera_object.h"

#include <string>
#include <vector>

#include "control_store.h"
#include "framework/ole_types.h"
#include "platform/code_page.h"
#include "standin_protocol.h"
#include "variant_text.h"

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
            server.OpenTask(method.name, method.id == kOpenTaskEx, answers.cameraWork);
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
        record.args.push_back(testsupport::DescribeArgument(params->rgvarg[i]));

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
