#include "jpeg_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "jpeg_tables.h"

namespace camsim {

namespace {

using jpeg::HuffmanTable;

struct HuffmanCode {
    uint16_t bits = 0;
    uint8_t length = 0;
};

// Canonical code assignment from the code-length counts.
std::array<HuffmanCode, 256> buildCodes(const HuffmanTable &table) {
    std::array<HuffmanCode, 256> codes{};
    uint16_t code = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < table.counts[length - 1]; ++i) {
            codes[table.symbols[k++]] = HuffmanCode{code, static_cast<uint8_t>(length)};
            ++code;
        }
        code = static_cast<uint16_t>(code << 1);
    }
    return codes;
}

std::array<uint8_t, 64> scaledQuant(const std::array<uint8_t, 64> &base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<uint8_t, 64> table{};
    for (int i = 0; i < 64; ++i)
        table[i] = static_cast<uint8_t>(std::clamp((base[i] * scale + 50) / 100, 1, 255));
    return table;
}

// Entropy-coded segment writer: MSB first, a 0x00 after every 0xFF byte.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t> &out) : out_(out) {}

    void put(uint32_t bits, int length) {
        for (int i = length - 1; i >= 0; --i) {
            current_ = static_cast<uint8_t>((current_ << 1) | ((bits >> i) & 1u));
            if (++filled_ == 8)
                emitByte();
        }
    }

    void flush() {
        while (filled_ != 0)
            put(1, 1);  // pad with one-bits
    }

private:
    void emitByte() {
        out_.push_back(current_);
        if (current_ == 0xFF)
            out_.push_back(0x00);
        current_ = 0;
        filled_ = 0;
    }

    std::vector<uint8_t> &out_;
    uint8_t current_ = 0;
    int filled_ = 0;
};

struct ComponentCoder {
    const std::array<uint8_t, 64> *quant;
    std::array<HuffmanCode, 256> dc;
    std::array<HuffmanCode, 256> ac;
    int previousDc = 0;
};

int magnitudeCategory(int v) {
    int a = v < 0 ? -v : v;
    int n = 0;
    while (a) {
        ++n;
        a >>= 1;
    }
    return n;
}

uint32_t magnitudeBits(int v, int category) {
    return static_cast<uint32_t>(v < 0 ? v - 1 : v) & ((1u << category) - 1u);
}

class DctTable {
public:
    DctTable() {
        const double pi = std::acos(-1.0);
        for (int u = 0; u < 8; ++u)
            for (int x = 0; x < 8; ++x)
                c_[u][x] =
                    (u == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * x + 1) * u * pi / 16.0);
    }

    // Separable 2-D forward DCT of a level-shifted 8x8 block.
    void forward(const double in[64], double out[64]) const {
        double tmp[64];
        for (int y = 0; y < 8; ++y)
            for (int u = 0; u < 8; ++u) {
                double s = 0;
                for (int x = 0; x < 8; ++x)
                    s += c_[u][x] * in[y * 8 + x];
                tmp[y * 8 + u] = s;
            }
        for (int u = 0; u < 8; ++u)
            for (int v = 0; v < 8; ++v) {
                double s = 0;
                for (int y = 0; y < 8; ++y)
                    s += c_[v][y] * tmp[y * 8 + u];
                out[v * 8 + u] = s;
            }
    }

private:
    double c_[8][8];
};

void encodeBlock(const double samples[64], ComponentCoder &coder, const DctTable &dct,
                 BitWriter &bits) {
    double coefficients[64];
    dct.forward(samples, coefficients);
    int zigzag[64];
    for (int k = 0; k < 64; ++k) {
        const int natural = jpeg::kZigzagToNatural[k];
        zigzag[k] = static_cast<int>(std::lround(coefficients[natural] / (*coder.quant)[natural]));
    }

    const int diff = zigzag[0] - coder.previousDc;
    coder.previousDc = zigzag[0];
    const int dcCategory = magnitudeCategory(diff);
    bits.put(coder.dc[dcCategory].bits, coder.dc[dcCategory].length);
    if (dcCategory)
        bits.put(magnitudeBits(diff, dcCategory), dcCategory);

    int run = 0;
    for (int k = 1; k < 64; ++k) {
        if (zigzag[k] == 0) {
            ++run;
            continue;
        }
        while (run > 15) {
            bits.put(coder.ac[0xF0].bits, coder.ac[0xF0].length);
            run -= 16;
        }
        const int category = magnitudeCategory(zigzag[k]);
        const int symbol = (run << 4) | category;
        bits.put(coder.ac[symbol].bits, coder.ac[symbol].length);
        bits.put(magnitudeBits(zigzag[k], category), category);
        run = 0;
    }
    if (run > 0)
        bits.put(coder.ac[0x00].bits, coder.ac[0x00].length);
}

void appendMarker(std::vector<uint8_t> &out, uint8_t marker, const std::vector<uint8_t> &body) {
    out.push_back(0xFF);
    out.push_back(marker);
    const size_t length = body.size() + 2;
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), body.begin(), body.end());
}

std::vector<uint8_t> jfifHeader() {
    return {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
}

std::vector<uint8_t> quantSegment(const std::array<uint8_t, 64> &luma,
                                  const std::array<uint8_t, 64> &chroma) {
    std::vector<uint8_t> body;
    for (int id = 0; id < 2; ++id) {
        body.push_back(static_cast<uint8_t>(id));
        const auto &table = id == 0 ? luma : chroma;
        for (int k = 0; k < 64; ++k)
            body.push_back(table[jpeg::kZigzagToNatural[k]]);
    }
    return body;
}

std::vector<uint8_t> frameSegment(int width, int height) {
    std::vector<uint8_t> body = {8,
                                 static_cast<uint8_t>(height >> 8),
                                 static_cast<uint8_t>(height),
                                 static_cast<uint8_t>(width >> 8),
                                 static_cast<uint8_t>(width),
                                 3};
    const uint8_t components[3][3] = {{1, 0x11, 0}, {2, 0x11, 1}, {3, 0x11, 1}};
    for (const auto &c : components)
        body.insert(body.end(), c, c + 3);
    return body;
}

std::vector<uint8_t> huffmanSegment() {
    std::vector<uint8_t> body;
    const struct {
        uint8_t classAndId;
        const HuffmanTable *table;
    } tables[4] = {{0x00, &jpeg::kLumaDc},
                   {0x10, &jpeg::kLumaAc},
                   {0x01, &jpeg::kChromaDc},
                   {0x11, &jpeg::kChromaAc}};
    for (const auto &t : tables) {
        body.push_back(t.classAndId);
        body.insert(body.end(), t.table->counts, t.table->counts + 16);
        body.insert(body.end(), t.table->symbols, t.table->symbols + t.table->symbolCount);
    }
    return body;
}

std::vector<uint8_t> scanSegment() {
    return {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
}

}  // namespace

std::vector<uint8_t> encodeJpeg(const RgbImage &image, int quality) {
    const auto lumaQuant = scaledQuant(jpeg::kLumaQuantBase, quality);
    const auto chromaQuant = scaledQuant(jpeg::kChromaQuantBase, quality);

    std::vector<uint8_t> out = {0xFF, 0xD8};
    appendMarker(out, 0xE0, jfifHeader());
    appendMarker(out, 0xDB, quantSegment(lumaQuant, chromaQuant));
    appendMarker(out, 0xC0, frameSegment(image.width, image.height));
    appendMarker(out, 0xC4, huffmanSegment());
    appendMarker(out, 0xDA, scanSegment());

    ComponentCoder coders[3] = {
        {&lumaQuant, buildCodes(jpeg::kLumaDc), buildCodes(jpeg::kLumaAc), 0},
        {&chromaQuant, buildCodes(jpeg::kChromaDc), buildCodes(jpeg::kChromaAc), 0},
        {&chromaQuant, buildCodes(jpeg::kChromaDc), buildCodes(jpeg::kChromaAc), 0},
    };
    const DctTable dct;
    BitWriter bits(out);

    for (int by = 0; by < image.height; by += 8) {
        for (int bx = 0; bx < image.width; bx += 8) {
            double blocks[3][64];
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    // Partial blocks at the right and bottom edges repeat the last pixel.
                    const int px = std::min(bx + x, image.width - 1);
                    const int py = std::min(by + y, image.height - 1);
                    const uint8_t *p =
                        &image.pixels[(static_cast<size_t>(py) * image.width + px) * 3];
                    const double r = p[0], g = p[1], b = p[2];
                    blocks[0][y * 8 + x] = 0.299 * r + 0.587 * g + 0.114 * b - 128.0;
                    blocks[1][y * 8 + x] = -0.168736 * r - 0.331264 * g + 0.5 * b;
                    blocks[2][y * 8 + x] = 0.5 * r - 0.418688 * g - 0.081312 * b;
                }
            }
            for (int c = 0; c < 3; ++c)
                encodeBlock(blocks[c], coders[c], dct, bits);
        }
    }
    bits.flush();
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

}  // namespace camsim
