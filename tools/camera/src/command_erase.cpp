#include "commands.h"

#include "exit_codes.h"

namespace pdrcam {

int runErase(const CameraApi &api, const Options &options, Console &console) {
    const int count = api.Cam_get_picture_count();
    if (count < 0)
        return reportCameraError(console, "reading the picture directory", api.Cam_error());
    if (count == 0) {
        console.out << "The camera holds no pictures; nothing to erase.\n";
        return options.eraseTarget == EraseTarget::One ? kExitCameraError : kExitOk;
    }

    std::string question;
    switch (options.eraseTarget) {
    case EraseTarget::One:
        if (options.eraseNumber > count) {
            console.err << "there is no picture " << options.eraseNumber << " (the camera holds "
                        << count << ")\n";
            return kExitCameraError;
        }
        question = "Erase picture " + std::to_string(options.eraseNumber) + " of " +
                   std::to_string(count) + "?";
        break;
    case EraseTarget::Last:
        question = "Erase the last picture (number " + std::to_string(count) + ")?";
        break;
    case EraseTarget::All:
        question = "Erase all " + std::to_string(count) + (count == 1 ? " picture?" : " pictures?");
        break;
    }
    if (!options.yes && !(console.confirm && console.confirm(question + " [y/N] "))) {
        console.out << "Nothing erased.\n";
        return kExitNotConfirmed;
    }

    int code = CAM_OK;
    switch (options.eraseTarget) {
    case EraseTarget::One:
        code = api.Cam_erase_select(options.eraseNumber);
        break;
    case EraseTarget::Last:
        code = api.Cam_erase_last();
        break;
    case EraseTarget::All:
        code = api.Cam_erase_all();
        break;
    }
    if (code != CAM_OK)
        return reportCameraError(console, "erasing", code);

    const int left = api.Cam_get_picture_count();
    console.out << "Erased. ";
    if (left >= 0)
        console.out << left << (left == 1 ? " picture remains" : " pictures remain")
                    << " on the camera.\n";
    else
        console.out << "The picture count could not be read again.\n";
    return kExitOk;
}

}  // namespace pdrcam
