#pragma once
// The host application's camera object as the applet calls it: the dispatch
// driver of "Mirelle.Camera" with its six methods by dispatch identifier. The
// driver holds at most one interface and releases it when destroyed or told
// to. Every call throws what the driver throws: fw::COleFailure when the
// object cannot be reached, refuses the call or answers what does not
// convert; fw::CAutomationException for the host's own error report.
#include <optional>
#include <string>

#include "framework/dispatch_driver.h"

namespace applet {

// The ProgID the host registers for its camera object.
constexpr char kHostProgId[] = "Mirelle.Camera";
// The registered message the host posts to the notify window.
constexpr char kHostNotifyMessage[] = "MirelleNotify";

// Dispatch identifiers of the host's methods.
enum HostDispId : DISPID {
    kDispApplyOptions = 8,
    kDispEndTask = 25,
    kDispSetNotifyWindow = 27,
    kDispOpenTask = 38,
    kDispOpenTaskEx = 39,
    kDispSetClientTitle = 40,
};

class CHostCameraDriver : public fw::CDispatchDriver {
public:
    void ApplyOptions(bool apply);
    // TRUE when the host ended its task (it reports the end later).
    bool EndTask();
    // TRUE when the host took the window handle (a 32-bit number).
    bool SetNotifyWindow(long window);
    // 1 when the task opened.
    short OpenTask(bool a, bool b, bool c);
    // std::nullopt passes a null string. 1 when the task opened.
    short OpenTaskEx(const std::optional<std::string> &text, bool a, bool b, bool c);
    void SetClientTitle(const std::string &title);
};

}  // namespace applet
