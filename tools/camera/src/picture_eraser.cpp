#include "picture_eraser.h"

namespace pdrcam {

int PictureEraser::current(int original) const {
    int number = original;
    for (int gone : erased_)
        if (gone < original)
            --number;
    return number;
}

int PictureEraser::erase(int original) {
    const int code = api_.Cam_erase_select(current(original));
    if (code == CAM_OK)
        erased_.push_back(original);
    return code;
}

}  // namespace pdrcam
