#pragma once
// Reads one of Vesko's settings (setting_table.h) from the settings store,
// afresh at every call, with its row's default when the value is missing.
// Text defaults from the resource library come from the application's
// resource module; a flag default is the process's feature flag of that name.
#include <cstdint>
#include <string>

#include "setting_table.h"

namespace applet {

int32_t ReadNumberSetting(SettingId id);
std::string ReadTextSetting(SettingId id);

}  // namespace applet
