#pragma once
// Erases pictures one at a time and keeps count, so that a failure or an
// interrupt half-way can say what is gone and what is left. Numbers are the
// camera's picture numbers at the start; the eraser follows the library's
// renumbering (each erase moves the later pictures down by one).

#include "camera_api.h"

#include <vector>

namespace pdrcam {

class PictureEraser {
public:
    explicit PictureEraser(const CameraApi &api) : api_(api) {}

    // Erases picture `original` (numbered as at the start); the library's code.
    int erase(int original);
    // The library's number now for picture `original`.
    int current(int original) const;
    int erased() const { return static_cast<int>(erased_.size()); }

private:
    const CameraApi &api_;
    std::vector<int> erased_;  // original numbers, in the order erased
};

}  // namespace pdrcam
