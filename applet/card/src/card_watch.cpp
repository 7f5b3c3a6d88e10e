#include "card_watch.h"

#include <dbt.h>

#include "card_rules.h"
#include "feature_flags.h"
#include "file_queries.h"
#include "find_matching_file.h"
#include "setting_reads.h"

namespace applet {

bool IsCameraCardDrive(const std::string &drive) {
    const std::string folders = ReadTextSetting(SettingId::PCCardPath);
    for (const std::string &candidate : CardFolderCandidates(drive, folders)) {
        if (IsFolder(candidate) && HasCameraCardFile(drive))
            return true;
    }
    return false;
}

bool HasCameraCardFile(const std::string &drive) {
    const std::string pattern = CardFilePattern(ReadTextSetting(SettingId::PCCardFile));
    return pattern.empty() || FindMatchingFile(drive, pattern);
}

std::string ArrivedVolumeDrive(WPARAM event, LPARAM data) {
    const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(data);
    if (event != DBT_DEVICEARRIVAL || !header || header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return std::string();
    const auto *volume = reinterpret_cast<const DEV_BROADCAST_VOLUME *>(data);
    return LowestDriveOfUnitMask(volume->dbcv_unitmask);
}

bool IsCardArrival(WPARAM event, LPARAM data) {
    const std::string drive = ArrivedVolumeDrive(event, data);
    return !drive.empty() && AppFeatureFlags().cameradirect != 0 &&
           ReadNumberSetting(SettingId::EnableAutoRunAtArrival) != 0 && IsCameraCardDrive(drive);
}

}  // namespace applet
