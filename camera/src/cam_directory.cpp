// The picture table: the camera's two-level directory (groups, then the
// pictures of each group) read into 1000 entries numbered 1..count for the host.
#include "cam_core.h"
#include "protocol.h"
#include "scoped_value.h"

#include <algorithm>

namespace peltrix {

int CamCore::readPictureSize(int group, int number) {
    std::uint8_t params[4];
    camStore16(params, static_cast<unsigned>(group));
    camStore16(params + 2, static_cast<unsigned>(number));
    std::uint8_t command[8] = {CMD_GROUP_ENTRY, CAM_SUBCODE_QUERY, 4,         0,
                               params[0],       params[1],         params[2], params[3]};
    std::uint8_t info[CAM_QUERY_CAPACITY];
    const int received = cam_exchange(command, sizeof command, info, sizeof info, 0);
    // A missing or short information record gives size 0: nothing to transfer.
    if (received < 20)
        return 0;
    return static_cast<std::int32_t>(camLoad32(info + 16));
}

int CamCore::cam_read_directory() {
    const int sessionResult = cam_ensure_session();
    if (sessionResult != CAM_OK) {
        cam_set_error(sessionResult);
        return -1;
    }
    ScopedValue<bool> reading(directory_read_running, true);

    const std::uint8_t listGroups[4] = {CMD_LIST_GROUPS, CAM_SUBCODE_QUERY, 0, 0};
    std::uint8_t groupList[CAM_QUERY_CAPACITY];
    const int groupBytes =
        cam_exchange(listGroups, sizeof listGroups, groupList, sizeof groupList, 0);
    if (groupBytes < 0)
        return -1;
    const int groupCount = std::min(groupBytes / 4, CAM_MAX_GROUPS);

    int entries = 0;
    std::uint8_t listing[CAM_QUERY_CAPACITY];
    for (int g = 0; g < groupCount && entries < CAM_MAX_PICTURES; ++g) {
        const int group = camLoad16(groupList + 4 * g);
        line.sleepMs(cam_port, 500);
        std::uint8_t command[8] = {CMD_GROUP_ENTRY, CAM_SUBCODE_QUERY, 4, 0, 0, 0, 0, 0};
        camStore16(command + 4, static_cast<unsigned>(group));
        const int listed = cam_exchange(command, sizeof command, listing, sizeof listing, 0);
        const int records = listed > 0 ? listed / 4 : 0;
        // Pictures beyond the table's end are left out, without asking for them.
        for (int r = 0; r < records && entries < CAM_MAX_PICTURES; ++r) {
            CamPicture &entry = cam_pictures[entries++];
            entry.group = group;
            entry.number = camLoad16(listing + 4 * r);
            entry.size = readPictureSize(entry.group, entry.number);
        }
    }
    cam_set_error(CAM_OK);
    return entries;
}

int CamCore::cam_count_pictures() {
    if (cam_picture_count == -1) {
        cam_picture_count = cam_read_directory();
        numbering.tableRead(cam_pictures.data(), cam_picture_count);
    }
    return cam_picture_count;
}

int CamCore::cam_resync_directory() {
    if (directory_read_running)
        return CAM_OK;
    numbering.resyncRequested(cam_pictures.data(), cam_picture_count);
    cam_invalidate_pictures();
    // The read needs an open session. While a session is being changed (a
    // port tested, a broken session closed or re-opened) it would start a
    // session change of its own inside that one, again at every re-sync
    // request; the table is then read at its next use instead.
    if (cam_session_state == Open)
        cam_count_pictures();
    if (!picture_in_use)
        return CAM_OK;
    // A transfer or erase goes on only with the very picture it began with.
    if (cam_picture_count < 0)
        return cam_last_error != CAM_OK ? cam_last_error : CAM_ERR_PICTURES_CHANGED;
    return camTableHolds(cam_pictures.data(), cam_picture_count, *picture_in_use)
               ? CAM_OK
               : CAM_ERR_PICTURES_CHANGED;
}

int CamCore::preparePictureOperation(int picture) {
    const int sessionResult = cam_ensure_session();
    if (sessionResult != CAM_OK)
        return cam_set_error(sessionResult);
    cam_count_pictures();
    if (numbering.stale())
        return cam_set_error(CAM_ERR_PICTURES_CHANGED);
    if (!isPictureNumber(picture))
        return cam_set_error(CAM_ERR_PARAM);
    return CAM_OK;
}

bool CamCore::isPictureNumber(int picture) const {
    return picture >= 1 && picture <= cam_picture_count && picture <= CAM_MAX_PICTURES;
}

int CamCore::Cam_get_picture_count() {
    numbering.listedAfresh();
    cam_invalidate_pictures();
    return cam_count_pictures();
}

int CamCore::Cam_get_picture_size(int picture) {
    cam_count_pictures();
    return isPictureNumber(picture) ? cam_pictures[picture - 1].size : 0;
}

int CamCore::Cam_get_thumbnail_size(int) {
    return CAM_THUMBNAIL_SIZE;
}

int CamCore::Cam_get_picture_type(int picture, int *type) {
    cam_count_pictures();
    if (type)
        *type = isPictureNumber(picture) && cam_pictures[picture - 1].group == 0 ? 1 : 0;
    return cam_set_error(CAM_OK);
}

}  // namespace peltrix
