#pragma once
// The class object the server registers with COM while it runs. Single use:
// the first CreateInstance is served and every later one refused, so that
// each client object gets a process (and a task window) of its own.

#include <windows.h>
#include <unknwn.h>

#include "server_life.h"

namespace standin {

class CameraFactory : public IClassFactory {
public:
    explicit CameraFactory(ServerLife &server) : server_(server) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override;
    // Lives on the server's stack for the whole run: counting is not needed.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ServerLife &server_;
};

}  // namespace standin
