// Copying a picture or its thumbnail into a file the host has opened.
#include "avi_still.h"
#include "cam_core.h"
#include "protocol.h"
#include "scoped_value.h"
#include "transfer_progress.h"

#include <algorithm>
#include <memory>
#include <new>

namespace peltrix {
namespace {

void buildTransferCommand(std::uint8_t (&command)[12], std::uint8_t code, const CamPicture &picture,
                          std::uint32_t offset) {
    command[0] = code;
    command[1] = CAM_SUBCODE_QUERY;
    camStore16(command + 2, 8);
    camStore16(command + 4, static_cast<unsigned>(picture.group));
    camStore16(command + 6, static_cast<unsigned>(picture.number));
    camStore32(command + 8, offset);
}

}  // namespace

bool CamCore::reportProgress(int percent) {
    // Without a callback the host has asked for no reports, not for a stop.
    if (!cam_progress_callback)
        return true;
    return cam_progress_callback(cam_progress_cookie, 0, percent) != 0;
}

int CamCore::fetchPicturePiece(const std::uint8_t *command, std::uint8_t *piece, int chunk,
                               int waitAllowance) {
    // A piece shorter than a full packet is asked for again, up to three more
    // times; the last answer is used.
    int received = 0;
    for (int tries = 3;; --tries) {
        received = cam_exchange(command, 12, piece, chunk, waitAllowance);
        if (received < 0 || received == CAM_PACKET_SIZE || tries == 0)
            return received;
        cam_flush_input();
    }
}

int CamCore::Cam_get_picture_file(int file, int picture) {
    const int prepared = preparePictureOperation(picture);
    if (prepared != CAM_OK)
        return prepared;

    // The picture as it is now: a re-read during the transfer may move other
    // pictures into its place in the table.
    const CamPicture target = cam_pictures[picture - 1];
    ScopedValue<const CamPicture *> inUse(picture_in_use, &target);
    const std::int32_t total = target.size;
    std::int32_t offset = 0;
    std::int32_t remaining = total;
    std::uint8_t piece[CAM_PACKET_SIZE];
    while (remaining > 0) {
        if (!reportProgress(transferPercent(offset, total)))
            return cam_set_error(CAM_ERR_CANCELLED);
        const int chunk = std::min<std::int32_t>(remaining, CAM_PACKET_SIZE);
        std::uint8_t command[12];
        buildTransferCommand(command, CMD_PICTURE_DATA, target, static_cast<std::uint32_t>(offset));
        const int received = fetchPicturePiece(command, piece, chunk, total);
        if (received < 0)
            return cam_last_error;
        // An empty answer would ask for the same piece forever.
        if (received == 0)
            return cam_set_error(CAM_ERR_TIMEOUT);
        if (!files.append(file, piece, received))
            return cam_set_error(CAM_ERR_WRITE);
        offset += received;
        remaining -= received;
    }
    if (!reportProgress(100))
        return cam_set_error(CAM_ERR_CANCELLED);
    return cam_set_error(CAM_OK);
}

int CamCore::Cam_get_thumbnail_file(int file, int picture) {
    // Zero-filled, so a short answer never puts stale memory into the file.
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[CAM_THUMBNAIL_SIZE]());
    if (!buffer)
        return CAM_ERR_GENERAL;

    const int prepared = preparePictureOperation(picture);
    if (prepared != CAM_OK)
        return prepared;
    const CamPicture target = cam_pictures[picture - 1];
    ScopedValue<const CamPicture *> inUse(picture_in_use, &target);
    std::uint8_t command[12];
    buildTransferCommand(command, CMD_THUMBNAIL, target, 0);
    if (cam_exchange(command, sizeof command, buffer.get(), CAM_THUMBNAIL_SIZE, 0) < 0)
        return cam_last_error;
    cam_set_error(CAM_OK);

    AviStill still{0, CAM_THUMBNAIL_SIZE};
    if (isAviThumbnail(buffer.get(), CAM_THUMBNAIL_SIZE) &&
        !findAviStill(buffer.get(), CAM_THUMBNAIL_SIZE, still))
        return CAM_ERR_GENERAL;
    if (!files.append(file, buffer.get() + still.offset, still.length))
        return cam_set_error(CAM_ERR_WRITE);
    return CAM_OK;
}

}  // namespace peltrix
