// The camera object the server hands out: an IDispatch that serves the six
// host methods by DISPID only (no type information, no names). Each call is
// checked (member, DISPATCH_METHOD, no named arguments, argument count, each
// argument converted to its stated type), answered as the control key says
// at that moment, and written to the log with the arguments as they arrived.
#ifndef TOOLS_HOST_HOST_CAMERA_H
#define TOOLS_HOST_HOST_CAMERA_H

#include <windows.h>
#include <oleauto.h>

#include "server_life.h"

namespace standin {

class CHostCameraObject : public IDispatch {
public:
    explicit CHostCameraObject(CServer &server);
    virtual ~CHostCameraObject();
    CHostCameraObject(const CHostCameraObject &) = delete;
    CHostCameraObject &operator=(const CHostCameraObject &) = delete;

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
    CServer &server_;
    ULONG references_ = 1;
};

}  // namespace standin

#endif
