#pragma once
// The library's own module, where its dialog templates live, and a scope
// during which the framework takes its dialogs from there.

#include <windows.h>

#include "framework/app.h"

namespace webpost {

HMODULE DllModule();

// While alive, the framework's current application object is this one, whose
// resources are the library's; the caller's own (if it has one) is current
// again afterwards. The framework keeps one resource module per process,
// which a library showing dialogs inside a host's call has to step around.
class DllResourceScope : public fw::CApp {
public:
    DllResourceScope() { SetResourceModule(DllModule()); }
};

}  // namespace webpost
