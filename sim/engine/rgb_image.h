// A plain 8-bit RGB raster, the input of the JPEG encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace camsim {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // row-major, 3 bytes (R, G, B) per pixel

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3) {}

    void set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t *p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
};

}  // namespace camsim
