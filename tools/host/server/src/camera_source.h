#pragma once
// Pictures on a camera at a COM port, through the camera library loaded by
// name as a host loads it (Peltrix.dll beside this program). Listing opens a
// session on the first port whose camera answers (Cam_set_port(0) searches
// ports 1 to 9) at the fastest common speed; the session stays open for the
// copies and closes with Cam_session_enabled(0) when the source goes, on
// every path. Progress reaches the copy through the library's callback.

#include <memory>
#include <string>

#include "camera_library.h"
#include "camera_session.h"
#include "picture_source.h"

namespace standin {

class CameraSource : public PictureSource {
public:
    CameraSource() = default;
    ~CameraSource() override;
    bool List(std::vector<SourcePicture> &pictures, TaskResult &failure) override;
    CopyResult Copy(const SourcePicture &picture, pdrcam::NativeFile file,
                    const CopyProgress &progress) override;
    std::string FinalName(const SourcePicture &picture,
                          const std::string &completePath) const override;

private:
    std::unique_ptr<pdrcam::CameraLibrary> library_;
    std::unique_ptr<pdrcam::CameraSession> session_;
};

}  // namespace standin
