#include "commands.h"

#include "cancel_request.h"
#include "error_text.h"
#include "exit_codes.h"
#include "picture_eraser.h"

namespace pdrcam {
namespace {

std::string pictures(int n) {
    return std::to_string(n) + (n == 1 ? " picture" : " pictures");
}

// The pictures an erase is about, and the question that asks for them.
struct ErasePlan {
    std::vector<int> targets;
    std::string question;
};

// What `options` ask to erase of the `count` pictures; false, reported, when
// they name a picture the camera does not hold.
bool planErase(const Options &options, int count, Console &console, ErasePlan &plan) {
    switch (options.eraseTarget) {
    case EraseTarget::One:
        for (int n : options.eraseSelection.numbers) {
            if (n > count) {
                console.err << "pdrcam: there is no picture " << n << " (the camera holds " << count
                            << "); nothing erased\n";
                return false;
            }
            plan.targets.push_back(n);
        }
        plan.question = plan.targets.size() == 1
                            ? "Erase picture " + std::to_string(plan.targets[0]) + " of " +
                                  std::to_string(count) + "?"
                            : "Erase " + pictures(static_cast<int>(plan.targets.size())) + " of " +
                                  std::to_string(count) + "?";
        return true;
    case EraseTarget::Last:
        plan.targets.push_back(count);
        plan.question = "Erase the last picture (number " + std::to_string(count) + ")?";
        return true;
    case EraseTarget::All:
        for (int n = 1; n <= count; ++n)
            plan.targets.push_back(n);
        plan.question = "Erase all " + pictures(count) + "?";
        return true;
    }
    return true;
}

// kExitOk when the erase may go ahead (--yes, or the user agreed), else
// the status the run ends with.
int confirmErase(const Options &options, Console &console, const std::string &question) {
    const bool agreed = options.yes || (console.confirm && console.confirm(question + " [y/N] "));
    // An interrupt at the prompt is no answer at all: nothing is erased.
    if (cancelRequested()) {
        console.err << "pdrcam: cancelled; nothing erased\n";
        return cancelExitCode();
    }
    if (!agreed) {
        console.out << "Nothing erased.\n";
        return kExitNotConfirmed;
    }
    return kExitOk;
}

// Erases `targets` in turn and stops at the first failure, saying how far
// it came; the run's status.
int eraseTargets(const CameraApi &api, const std::vector<int> &targets, int count,
                 Console &console) {
    PictureEraser eraser(api);
    for (int n : targets) {
        const int code = cancelRequested() ? CAM_ERR_CANCELLED : eraser.erase(n);
        if (code == CAM_OK)
            continue;
        console.err << "pdrcam: erasing picture " << n << ": " << cameraErrorText(code) << " (code "
                    << code << "); erased " << eraser.erased() << " of "
                    << pictures(static_cast<int>(targets.size()));
        // After a change on the camera its count is no longer known.
        if (!picturesChanged(code))
            console.err << ", " << count - eraser.erased() << " remain on the camera";
        console.err << "\n";
        return exitCodeForCamera(code);
    }
    const int left = api.Cam_get_picture_count();
    console.out << "Erased " << pictures(eraser.erased()) << ". ";
    if (left >= 0)
        console.out << pictures(left) << (left == 1 ? " remains" : " remain")
                    << " on the camera.\n";
    else
        console.out << "The picture count could not be read again.\n";
    return kExitOk;
}

}  // namespace

int runErase(const CameraApi &api, const Options &options, Console &console) {
    const int count = api.Cam_get_picture_count();
    if (count < 0)
        return reportCameraError(console, "reading the picture directory", api.Cam_error());
    if (count == 0) {
        console.out << "The camera holds no pictures; nothing to erase.\n";
        return options.eraseTarget == EraseTarget::One ? kExitCameraError : kExitOk;
    }
    ErasePlan plan;
    if (!planErase(options, count, console, plan))
        return kExitCameraError;
    const int confirmed = confirmErase(options, console, plan.question);
    if (confirmed != kExitOk)
        return confirmed;
    return eraseTargets(api, plan.targets, count, console);
}

}  // namespace pdrcam
