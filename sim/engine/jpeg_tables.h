// The example tables of the baseline JPEG process: quantisation bases,
// Huffman code lengths and symbols, and the zig-zag scan order.
#pragma once

#include <array>
#include <cstdint>

namespace camsim::jpeg {

extern const std::array<uint8_t, 64> kZigzagToNatural;
extern const std::array<uint8_t, 64> kLumaQuantBase;    // natural order
extern const std::array<uint8_t, 64> kChromaQuantBase;  // natural order

struct HuffmanTable {
    const uint8_t *counts;  // 16 entries: number of codes of length 1..16
    const uint8_t *symbols;
    int symbolCount;
};

extern const HuffmanTable kLumaDc;
extern const HuffmanTable kLumaAc;
extern const HuffmanTable kChromaDc;
extern const HuffmanTable kChromaAc;

}  // namespace camsim::jpeg
