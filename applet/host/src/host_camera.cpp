#include "host_camera.h"

namespace applet {

using fw::CDispArg;

void CHostCamera::ApplyOptions(bool apply) {
    InvokeMethod(kDispApplyOptions, {CDispArg::Bool(apply)});
}

bool CHostCamera::EndTask() {
    return InvokeBool(kDispEndTask);
}

bool CHostCamera::SetNotifyWindow(long window) {
    return InvokeBool(kDispSetNotifyWindow, {CDispArg::Long(window)});
}

short CHostCamera::OpenTask(bool a, bool b, bool c) {
    return InvokeShort(kDispOpenTask, {CDispArg::Bool(a), CDispArg::Bool(b), CDispArg::Bool(c)});
}

short CHostCamera::OpenTaskEx(const std::optional<std::string> &text, bool a, bool b, bool c) {
    const CDispArg first = text ? CDispArg::String(*text) : CDispArg::NullString();
    return InvokeShort(kDispOpenTaskEx,
                       {first, CDispArg::Bool(a), CDispArg::Bool(b), CDispArg::Bool(c)});
}

void CHostCamera::SetClientTitle(const std::string &title) {
    InvokeMethod(kDispSetClientTitle, {CDispArg::String(title)});
}

}  // namespace applet
