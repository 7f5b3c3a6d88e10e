#pragma once
// The camera object the server hands out: an IDispatch that serves the six
// host methods by DISPID only (no type information, no names). Each call is
// checked (member, DISPATCH_METHOD, no named arguments, argument count, each
// argument converted to its stated type), answered as the control key says
// at that moment, and written to the log with the arguments as they arrived.

#include <windows.h>
#include <oleauto.h>

#include "platform/dispatch_object.h"
#include "server_life.h"

namespace standin {

class CameraObject : public platform::DispatchObject {
public:
    explicit CameraObject(ServerLife &server);
    ~CameraObject() override;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                     VARIANT *result, EXCEPINFO *exception,
                                     UINT *argError) override;

private:
    ServerLife &server_;
};

}  // namespace standin
