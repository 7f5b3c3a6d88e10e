// Test support: an in-process automation object (fw_recorder_object.dll) for
// tests of automation clients. Invoke works by dispatch identifier only and
// writes down every call with the exact variant types it received; a test can
// make the next call fail. Its contract with the tests is recorder_control.h.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "platform/code_page.h"
#include "platform/dispatch_object.h"
#include "recorder_control.h"
#include "variant_text.h"

namespace {

// What the test asked for and what the object saw; one server, one test
// process, one thread.
struct RecorderState {
    std::string log;
    enum class Failure { None, Exception, Status } failure = Failure::None;
    std::string failSource;
    std::string failDescription;
    long failScode = 0;
    unsigned short failWCode = 0;
    bool failDeferred = false;
    long failStatus = S_OK;
    long liveObjects = 0;
    long serverLocks = 0;
    struct Answer {
        VARTYPE type;
        long value;
    };
    std::map<DISPID, Answer> answers;  // methods that answer a number
    std::map<DISPID, long> failOn;     // the next call of each fails so
};

RecorderState state;

BSTR Wide(const std::string &text) {
    const std::wstring wide = platform::CodePageToWide(text);
    return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

HRESULT STDMETHODCALLTYPE FillException(EXCEPINFO *info) {
    info->bstrSource = Wide(state.failSource);
    info->bstrDescription = Wide(state.failDescription);
    info->scode = state.failScode;
    info->wCode = state.failWCode;
    info->pfnDeferredFillIn = nullptr;
    return S_OK;
}

class Recorder : public platform::DispatchObject {
public:
    Recorder() { ++state.liveObjects; }
    ~Recorder() override { --state.liveObjects; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                     VARIANT *result, EXCEPINFO *exception, UINT *) override {
        Record(id, flags, params);
        if (HRESULT failed = ArmedFailure(exception); failed != S_OK)
            return failed;
        if (auto armed = state.failOn.find(id); armed != state.failOn.end()) {
            const long status = armed->second;
            state.failOn.erase(armed);
            if (status == DISP_E_EXCEPTION && exception) {
                std::memset(exception, 0, sizeof *exception);
                FillException(exception);
            }
            return status;
        }
        if (!(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        if (auto answer = state.answers.find(id); answer != state.answers.end()) {
            if (result && answer->second.type != VT_EMPTY) {
                ::VariantInit(result);
                result->vt = VT_I4;
                result->lVal = answer->second.value;
                return ::VariantChangeType(result, result, 0, answer->second.type);
            }
            return S_OK;
        }
        switch (id) {
        case testsupport::recorder::kEcho:
            if (result && params && params->cArgs > 0)
                return ::VariantCopy(result, &params->rgvarg[params->cArgs - 1]);
            return S_OK;
        case testsupport::recorder::kNothing:
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    static void Record(DISPID id, WORD flags, const DISPPARAMS *params) {
        char head[32];
        std::snprintf(head, sizeof head, "%ld %u", static_cast<long>(id), flags);
        std::string line = head;
        if (params) {
            for (UINT i = params->cArgs; i-- > 0;)
                line += " " + testsupport::DescribeArgument(params->rgvarg[i]);
        }
        state.log += line + "\n";
    }

    static HRESULT ArmedFailure(EXCEPINFO *exception) {
        auto failure = state.failure;
        state.failure = RecorderState::Failure::None;
        if (failure == RecorderState::Failure::Status)
            return state.failStatus;
        if (failure != RecorderState::Failure::Exception)
            return S_OK;
        if (!exception)
            return DISP_E_EXCEPTION;
        std::memset(exception, 0, sizeof *exception);
        if (state.failDeferred)
            exception->pfnDeferredFillIn = FillException;
        else
            FillException(exception);
        return DISP_E_EXCEPTION;
    }
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory *>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **out) override {
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto *object = new Recorder;
        HRESULT status = object->QueryInterface(iid, out);
        object->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        state.serverLocks += lock ? 1 : -1;
        return S_OK;
    }
};

Factory factory;

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID iid, void **out) {
    return factory.QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return state.liveObjects == 0 && state.serverLocks == 0 ? S_OK : S_FALSE;
}

int __cdecl RecorderCallLog(char *buffer, int size) {
    if (buffer && size > 0) {
        std::size_t copied = std::min<std::size_t>(state.log.size(), size - 1);
        std::memcpy(buffer, state.log.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<int>(state.log.size());
}

void __cdecl RecorderClear() {
    state.log.clear();
    state.failure = RecorderState::Failure::None;
    state.answers.clear();
    state.failOn.clear();
}

void __cdecl RecorderSetAnswer(long id, unsigned short type, long value) {
    state.answers[id] = {type, value};
}

void __cdecl RecorderFailOn(long id, long status) {
    state.failOn[id] = status;
}

void __cdecl RecorderFailWithException(const char *source, const char *description, long scode,
                                       unsigned short wCode, int deferred) {
    state.failure = RecorderState::Failure::Exception;
    state.failSource = source ? source : "";
    state.failDescription = description ? description : "";
    state.failScode = scode;
    state.failWCode = wCode;
    state.failDeferred = deferred != 0;
}

void __cdecl RecorderFailWithStatus(long status) {
    state.failure = RecorderState::Failure::Status;
    state.failStatus = status;
}

int __cdecl RecorderLiveObjects() {
    return static_cast<int>(state.liveObjects);
}

}  // extern "C"
