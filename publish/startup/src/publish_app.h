#pragma once
// Zephyne's application object. Its start-up is the program's whole life:
// refuse a second copy (the marker window of class "MirelleZephyneClass"),
// register the class and create the hidden marker window, run the one
// publish run, and answer that no message loop is to follow. The exit step
// unregisters the class only in the copy that registered it.
#include "framework/app.h"
#include "framework/wnd.h"

namespace zephyne {

constexpr char kMarkerClassName[] = "MirelleZephyneClass";

class CPublishApp : public fw::CApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    fw::CWnd markerWnd_;  // no handlers of its own
};

}  // namespace zephyne
