// The built-in picture set: generated, so that a test run needs no files.
#include "jpeg_encoder.h"
#include "pattern_images.h"
#include "picture_set.h"

namespace camsim {

namespace {

struct BuiltInRecipe {
    PatternRecipe picture;
    int quality;
};

// Sizes chosen so the set spans small and large transfers (several KB to
// about 100 KB, about 400 KB in all) and fills more than one group.
const BuiltInRecipe kRecipes[] = {
    {{Pattern::Gradient, 320, 240, 3, 1}, 85}, {{Pattern::Rings, 480, 360, 0, 2}, 80},
    {{Pattern::Plasma, 640, 480, 0, 3}, 85},   {{Pattern::Checker, 400, 300, 0, 4}, 85},
    {{Pattern::Stripes, 320, 240, 0, 5}, 80},  {{Pattern::Gradient, 640, 480, 4, 6}, 85},
    {{Pattern::Rings, 640, 480, 0, 7}, 90},    {{Pattern::Plasma, 800, 600, 6, 8}, 85},
    {{Pattern::Checker, 640, 480, 0, 9}, 80},  {{Pattern::Plasma, 320, 240, 0, 11}, 75},
};

constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 120;
constexpr int kThumbnailQuality = 50;

}  // namespace

std::vector<PictureFile> builtInPictureFiles() {
    std::vector<PictureFile> files;
    int index = 1;
    for (const auto &recipe : kRecipes) {
        PictureFile file;
        char name[24];
        std::snprintf(name, sizeof name, "PICT%04d.JPG", index++);
        file.name = name;
        file.data = encodeJpeg(drawPattern(recipe.picture), recipe.quality);
        PatternRecipe small = recipe.picture;
        small.width = kThumbnailWidth;
        small.height = kThumbnailHeight;
        small.grain = 0;
        file.thumbnailStill = encodeJpeg(drawPattern(small), kThumbnailQuality);
        files.push_back(std::move(file));
    }
    return files;
}

}  // namespace camsim
