// Deterministic test pictures drawn from a few patterns, for the camera's
// built-in picture set and for generated thumbnails.
#pragma once

#include <cstdint>

#include "rgb_image.h"

namespace camsim {

enum class Pattern { Gradient, Rings, Plasma, Checker, Stripes };

struct PatternRecipe {
    Pattern pattern = Pattern::Gradient;
    int width = 320;
    int height = 240;
    int grain = 0;      // amplitude of the deterministic grain added to each pixel
    uint32_t salt = 1;  // varies colours and the grain
};

RgbImage drawPattern(const PatternRecipe &recipe);

}  // namespace camsim
