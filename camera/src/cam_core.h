// The library's process-wide state and the operations behind the exports.
// The exports use one instance over the real serial library; tests build
// their own instance over a fake line.
#pragma once

#include "file_sink.h"
#include "picture_numbering.h"
#include "port_library.h"

#include <peltrix.h>

#include <array>
#include <cstdint>

namespace peltrix {

enum CamSessionState { Closed = 0, Open = 1, Broken = 3 };

constexpr int CAM_MAX_PICTURES = 1000;
constexpr int CAM_MAX_GROUPS = 100;
// A camera answering "read the directory again" to every resend gives up after this many.
constexpr int CAM_MAX_RESYNC_RESENDS = 10;

class CamCore {
public:
    CamCore(PortLibrary &line, FileSink &files);
    CamCore(const CamCore &) = delete;
    CamCore &operator=(const CamCore &) = delete;

    // Packet exchange
    int cam_exchange(const std::uint8_t *command, int commandLength, std::uint8_t *response,
                     int capacity, int waitAllowance);
    int cam_set_error(int code);
    void cam_flush_input();

    // Session, port and speed
    int cam_probe();
    // A camera that does not answer at 19200 may have been left at a
    // session's speed by a host that ended without closing. Probes the
    // offered speeds (the chosen class first); where the camera answers, sends
    // it back to 19200. True when it answers the probe at 19200 afterwards;
    // the line is at 19200 either way.
    bool recoverRestingSpeed();
    int cam_send_speed(int code);
    int cam_set_packet_size(int size);
    int cam_close_port(int port);
    int cam_ensure_session();
    int Cam_set_port(int port);
    int Cam_set_speed(int speedClass);
    int Cam_session_enabled(int enable);
    int Cam_ready();
    int Cam_reset_dll();
    int Cam_error() const { return cam_last_error; }
    int Cam_setup_callback(CamProgressProc callback, int cookie);

    // Picture directory
    int cam_read_directory();
    int cam_count_pictures();
    void cam_invalidate_pictures() { cam_picture_count = -1; }
    int Cam_get_picture_count();
    int Cam_get_picture_size(int picture);
    int Cam_get_thumbnail_size(int picture);
    int Cam_get_picture_type(int picture, int *type);

    // Transfers
    int Cam_get_picture_file(int file, int picture);
    int Cam_get_thumbnail_file(int file, int picture);

    // Camera information and maintenance
    int Cam_erase_select(int picture);
    int Cam_erase_last();
    int Cam_erase_all();
    int Cam_get_version(char *text);
    int Cam_get_maker(char *text);
    int Cam_get_cam_type(char *text);
    int Cam_get_memory_status();

    // Read-only views for callers that report on the state.
    CamSessionState sessionState() const { return cam_session_state; }
    int port() const { return cam_port; }
    int speedClass() const { return cam_speed_class; }
    int pictureCount() const { return cam_picture_count; }
    const CamPicture &picture(int index) const { return cam_pictures[index]; }
    bool numbersStale() const { return numbering.stale(); }

private:
    // Re-sync asked for by the camera (status 137): the table is read afresh.
    // CAM_OK when the command may be sent again; else the code to end it
    // with (the picture in use is gone, or the read failed).
    int cam_resync_directory();
    bool isPictureNumber(int picture) const;
    // First steps of every operation on one picture: session, directory,
    // numbers not stale and a number inside the table. CAM_OK, or the code it
    // stored.
    int preparePictureOperation(int picture);
    void removeFromTable(const CamPicture &erased, int index);
    bool reportProgress(int percent);
    int failExchange(int code);
    int payloadTimeout(int chunk) const;
    int fetchPicturePiece(const std::uint8_t *command, std::uint8_t *piece, int chunk,
                          int waitAllowance);
    int sendSimpleCommand(std::uint8_t code, std::uint8_t subcode, const std::uint8_t *params,
                          int paramLength, int waitAllowance);
    int readPictureSize(int group, int number);

    PortLibrary &line;
    FileSink &files;

    int cam_last_error = CAM_OK;
    CamSessionState cam_session_state = Closed;
    int cam_port = -1;
    int cam_speed_class = 0;
    CamProgressProc cam_progress_callback = nullptr;
    int cam_progress_cookie = 0;

    std::array<CamPicture, CAM_MAX_PICTURES> cam_pictures{};
    int cam_picture_count = -1;
    // Set while the directory is being read: a re-sync request inside that read
    // is answered by a plain resend instead of a nested read.
    bool directory_read_running = false;
    PictureNumbering numbering;
    // The picture a transfer or erase works on, as it was when the operation
    // began; null between such operations.
    const CamPicture *picture_in_use = nullptr;
};

}  // namespace peltrix
