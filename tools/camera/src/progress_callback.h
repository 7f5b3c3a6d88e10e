#pragma once
// The one progress callback this program installs in the camera library, and
// the scope that routes its calls to the transfer under way. The library
// hands back a 32-bit cookie only, too small for a pointer on 64-bit hosts,
// so the active receiver is kept here instead.

#include "camera_api.h"

#include <cstdint>

namespace pdrcam {

class ProgressReceiver {
public:
    virtual ~ProgressReceiver() = default;
    // False asks the library to stop the transfer.
    virtual bool onProgress(int percent) = 0;
};

// The cookie given to Cam_setup_callback; calls with another are ignored.
constexpr int32_t kProgressCookie = 0x50444331;

int32_t CAM_CALL cameraProgress(int32_t cookie, int32_t zero, int32_t percent);

// While it lives, progress reports go to `receiver`.
class ProgressScope {
public:
    explicit ProgressScope(ProgressReceiver &receiver);
    ~ProgressScope();
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    ProgressReceiver *previous_;
};

}  // namespace pdrcam
