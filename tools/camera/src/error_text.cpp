#include "error_text.h"

#include "camera_api.h"
#include "exit_codes.h"

namespace pdrcam {

std::string cameraErrorText(int code) {
    switch (code) {
    case kCamOk:
        return "no error";
    case kCamErrParam:
        return "the library refused a parameter (port, speed class or switch value out of range)";
    case kCamErrNoPort:
        return "no camera port: no camera answered on the ports searched";
    case kCamErrNoResponse:
        return "the camera did not answer (no response, or a garbled one); check the cable and that the camera is on";
    case kCamErrClose:
        return "the serial port could not be closed";
    case kCamErrTimeout:
        return "the camera stopped sending in the middle of an answer (time-out)";
    case kCamErrOpen:
        return "the serial port could not be opened, or the camera did not answer on it, or the line speed could not be set";
    case kCamErrCamera:
        return "the camera refused the request (busy, or no such picture)";
    case kCamErrCancelled:
        return "cancelled";
    case kCamErrNotSupported:
        return "this camera does not support the operation";
    case kCamErrGeneral:
        return "the library refused the request (general failure)";
    default:
        return "unknown error " + std::to_string(code) + " from the camera library";
    }
}

std::string thumbnailErrorText(int code) {
    if (code == kCamErrGeneral)
        return "the thumbnail could not be made (out of memory, or a movie thumbnail without a still image)";
    return cameraErrorText(code);
}

int exitCodeForCamera(int code) {
    switch (code) {
    case kCamOk:
        return kExitOk;
    case kCamErrNoPort:
    case kCamErrOpen:
        return kExitNoCamera;
    case kCamErrCancelled:
        return kExitCancelled;
    default:
        return kExitCameraError;
    }
}

}  // namespace pdrcam
