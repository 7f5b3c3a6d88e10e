#include "error_text.h"

#include "camera_api.h"
#include "cancel_request.h"
#include "exit_codes.h"

namespace pdrcam {

std::string cameraErrorText(int code) {
    switch (code) {
    case CAM_OK:
        return "no error";
    case CAM_ERR_PARAM:
        return "the library refused a parameter (port, speed class or switch value out of range)";
    case CAM_ERR_NO_PORT:
        return "no camera port: no camera answered on the ports searched";
    case CAM_ERR_NO_RESPONSE:
        // The library keeps one code for silence, a garbled header and a status
        // byte it does not know; the trace (-v) shows which it was.
        return "the camera did not answer (no response, a garbled one, or a status the library "
               "does not know); check the cable and that the camera is on (-v shows the line)";
    case CAM_ERR_CLOSE:
        return "the serial port could not be closed";
    case CAM_ERR_TIMEOUT:
        return "the camera stopped sending in the middle of an answer (time-out)";
    case CAM_ERR_OPEN:
        return "the serial port could not be opened, or the camera did not answer on it, or the "
               "line speed could not be set";
    case CAM_ERR_CAMERA:
        return "the camera refused the command (it stayed busy, or the picture or command is "
               "not known to it; -v shows its status)";
    case CAM_ERR_WRITE:
        return "the output file could not be written";
    case CAM_ERR_PICTURES_CHANGED:
        return "the pictures on the camera changed during the run; list them again";
    case CAM_ERR_CANCELLED:
        return "cancelled";
    case CAM_ERR_NOT_SUPPORTED:
        return "this camera does not support the operation";
    case CAM_ERR_GENERAL:
        return "the library refused the request (general failure)";
    default:
        return "unknown error " + std::to_string(code) + " from the camera library";
    }
}

bool picturesChanged(int code) {
    return code == CAM_ERR_PICTURES_CHANGED;
}

bool cameraGone(int code) {
    return code == CAM_ERR_NO_PORT || code == CAM_ERR_OPEN;
}

std::string thumbnailErrorText(int code) {
    if (code == CAM_ERR_GENERAL)
        return "the thumbnail could not be made (out of memory, or a movie thumbnail without a "
               "still image)";
    return cameraErrorText(code);
}

int exitCodeForCamera(int code) {
    switch (code) {
    case CAM_OK:
        return kExitOk;
    case CAM_ERR_NO_PORT:
    case CAM_ERR_OPEN:
        return kExitNoCamera;
    case CAM_ERR_CANCELLED:
        return cancelExitCode();
    case CAM_ERR_WRITE:
        return kExitFileError;
    case CAM_ERR_PICTURES_CHANGED:
        return kExitPicturesChanged;
    default:
        return kExitCameraError;
    }
}

}  // namespace pdrcam
