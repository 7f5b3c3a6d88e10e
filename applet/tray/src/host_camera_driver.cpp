#include "host_camera_driver.h"

namespace applet {

using fw::CDispArg;

void CHostCameraDriver::ApplyOptions(bool apply) {
    InvokeMethod(kDispApplyOptions, {CDispArg::Bool(apply)});
}

bool CHostCameraDriver::EndTask() {
    return InvokeBool(kDispEndTask);
}

bool CHostCameraDriver::SetNotifyWindow(long window) {
    return InvokeBool(kDispSetNotifyWindow, {CDispArg::Long(window)});
}

short CHostCameraDriver::OpenTask(bool a, bool b, bool c) {
    return InvokeShort(kDispOpenTask, {CDispArg::Bool(a), CDispArg::Bool(b), CDispArg::Bool(c)});
}

short CHostCameraDriver::OpenTaskEx(const std::optional<std::string> &text, bool a, bool b, bool c) {
    const CDispArg first = text ? CDispArg::String(*text) : CDispArg::NullString();
    return InvokeShort(kDispOpenTaskEx,
                       {first, CDispArg::Bool(a), CDispArg::Bool(b), CDispArg::Bool(c)});
}

void CHostCameraDriver::SetClientTitle(const std::string &title) {
    InvokeMethod(kDispSetClientTitle, {CDispArg::String(title)});
}

}  // namespace applet
