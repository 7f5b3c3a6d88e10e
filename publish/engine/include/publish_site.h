#pragma once
// The one publish run: the settings from the registry, one call of WpPostA,
// and the outcome shown: the Save Completed dialog, the library's error text
// in a message box, the Missing Component dialog, or nothing. Returns when
// what it showed has been closed. Nothing of the run is written back.
#include <cstdint>
#include <string>

#include "publish_settings.h"

namespace zephyne {

void PublishSite(const SettingsSource &source = StoreSettingsSource());

// The library's text for a result code; empty when it has none, when the
// entry cannot be used, or when it reports failure without leaving a text.
std::string GetPostErrorText(uint32_t code);

}  // namespace zephyne
