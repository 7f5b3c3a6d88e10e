#pragma once
// The camera object the server hands out: an IDispatch that serves the six
// host methods by DISPID only (no type information, no names). Each call is
// checked (member, DISPATCH_METHOD, no named arguments, argument count, each
// argument converted to its stated type), answered as the control key says
// at that moment, and written to the log with the arguments as they arrived.

#include <windows.h>
#include <oleauto.h>

#include "server_life.h"

namespace standin {

class CameraObject : public IDispatch {
public:
    explicit CameraObject(ServerLife &server);
    virtual ~CameraObject();
    CameraObject(const CameraObject &) = delete;
    CameraObject &operator=(const CameraObject &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                     VARIANT *result, EXCEPINFO *exception,
                                     UINT *argError) override;

private:
    ServerLife &server_;
    ULONG references_ = 1;
};

}  // namespace standin
