// A small baseline (sequential, Huffman) JPEG encoder: JFIF, YCbCr without
// subsampling, the example quantisation and Huffman tables scaled by quality.
// It exists so the simulated camera can serve real, viewable pictures without
// shipping image files.
#pragma once

#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace camsim {

// quality 1..100 as in the usual scale (50 = the example tables unscaled).
std::vector<uint8_t> encodeJpeg(const RgbImage &image, int quality);

}  // namespace camsim
