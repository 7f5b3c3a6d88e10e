#include "class_factory.h"

#include "camera_object.h"

namespace standin {

HRESULT CameraFactory::QueryInterface(REFIID iid, void **out) {
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *out = static_cast<IClassFactory *>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT CameraFactory::CreateInstance(IUnknown *outer, REFIID iid, void **out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (!server_.MayCreateObject())
        return CO_E_SERVER_STOPPING;
    auto *object = new CameraObject(server_);
    HRESULT status = object->QueryInterface(iid, out);
    object->Release();
    return status;
}

HRESULT CameraFactory::LockServer(BOOL lock) {
    server_.LockServer(lock != FALSE);
    return S_OK;
}

}  // namespace standin
