#include "camera_source.h"

#include <windows.h>

#include "error_text.h"
#include "picture_names.h"
#include "progress_callback.h"

namespace standin {

namespace {

// The serial line's fastest class that every camera of the family offers.
constexpr pdrcam::SpeedClass kSpeed = {CAM_SPEED_115200, 115200};

class ProgressRelay : public pdrcam::ProgressReceiver {
public:
    explicit ProgressRelay(const CopyProgress &progress) : progress_(progress) {}
    bool onProgress(int percent) override {
        stopped_ = !progress_(percent);
        return !stopped_;
    }
    bool Stopped() const { return stopped_; }

private:
    const CopyProgress &progress_;
    bool stopped_ = false;
};

}  // namespace

CameraSource::~CameraSource() {
    session_.reset();  // Cam_session_enabled(0), before the library goes
}

bool CameraSource::List(std::vector<SourcePicture> &pictures, TaskResult &failure) {
    std::string error;
    library_ = pdrcam::CameraLibrary::load(pdrcam::DynamicLibrary::cameraLibraryName(), error);
    if (!library_) {
        failure.end = TaskEnd::FileError;
        failure.detail =
            std::string(pdrcam::DynamicLibrary::cameraLibraryName()) + " (" + error + ")";
        return false;
    }
    const pdrcam::CameraApi &api = library_->api();
    session_ = std::make_unique<pdrcam::CameraSession>(api);
    const int opened = session_->open(0, kSpeed);
    if (opened != CAM_OK) {
        failure.end = opened == CAM_ERR_NO_PORT ? TaskEnd::NoCamera : TaskEnd::CameraError;
        failure.cameraCode = opened;
        failure.detail = pdrcam::cameraErrorText(opened);
        return false;
    }
    const int count = api.Cam_get_picture_count();
    if (count < 0) {
        failure.end = TaskEnd::CameraError;
        failure.cameraCode = api.Cam_error();
        failure.detail = pdrcam::cameraErrorText(failure.cameraCode);
        return false;
    }
    for (int number = 1; number <= count; ++number) {
        const int size = api.Cam_get_picture_size(number);
        pictures.push_back(
            {pdrcam::fileName(pdrcam::fileStem(pdrcam::FileKind::Picture, number), "JPG"),
             static_cast<uint64_t>(size > 0 ? size : 0), number, std::string()});
    }
    return true;
}

CopyResult CameraSource::Copy(const SourcePicture &picture, pdrcam::NativeFile file,
                              const CopyProgress &progress) {
    CopyResult result;
    ProgressRelay relay(progress);
    int code;
    {
        pdrcam::ProgressScope scope(relay);
        code = library_->api().Cam_get_picture_file(file, picture.number);
    }
    // The library leaves the platform's reason of a failed write for us.
    result.systemError = code == CAM_ERR_WRITE ? ::GetLastError() : 0;
    if (relay.Stopped() || code == CAM_ERR_CANCELLED)
        result.status = CopyStatus::Stopped;
    else if (code == CAM_ERR_WRITE)
        result.status = CopyStatus::WriteFailed;
    else if (code != CAM_OK) {
        result.status = CopyStatus::SourceFailed;
        result.cameraCode = code;
        result.detail = pdrcam::cameraErrorText(code);
    }
    return result;
}

std::string CameraSource::FinalName(const SourcePicture &picture,
                                    const std::string &completePath) const {
    // A camera keeps movies beside its stills: the content decides.
    const std::vector<uint8_t> head = pdrcam::readHead(completePath, 16);
    return pdrcam::fileName(pdrcam::fileStem(pdrcam::FileKind::Picture, picture.number),
                            pdrcam::extensionForContent(head.data(), head.size()));
}

}  // namespace standin
