#include "progress_callback.h"

#include "cancel_request.h"

namespace pdrcam {
namespace {

ProgressReceiver *gActiveReceiver = nullptr;

}  // namespace

int32_t CAM_CALL cameraProgress(int32_t cookie, int32_t /*zero*/, int32_t percent) {
    if (cancelRequested())
        return 0;
    if (cookie == kProgressCookie && gActiveReceiver)
        return gActiveReceiver->onProgress(percent) ? 1 : 0;
    return 1;
}

ProgressScope::ProgressScope(ProgressReceiver &receiver) : previous_(gActiveReceiver) {
    gActiveReceiver = &receiver;
}

ProgressScope::~ProgressScope() {
    gActiveReceiver = previous_;
}

}  // namespace pdrcam
