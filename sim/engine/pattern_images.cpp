#include "pattern_images.h"

#include <algorithm>
#include <cmath>

namespace camsim {

namespace {

// Small xorshift generator: the same start value gives the same picture everywhere.
class Grain {
public:
    explicit Grain(uint32_t salt) : state_(salt * 2654435761u + 0x9E3779B9u) {}
    int next(int amplitude) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        if (amplitude <= 0)
            return 0;
        return static_cast<int>(state_ % static_cast<uint32_t>(2 * amplitude + 1)) - amplitude;
    }

private:
    uint32_t state_;
};

uint8_t clampByte(double v) {
    return static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255));
}

struct Rgb {
    double r, g, b;
};

Rgb sample(const PatternRecipe &recipe, int x, int y) {
    const double u = static_cast<double>(x) / recipe.width;
    const double v = static_cast<double>(y) / recipe.height;
    const double hue = (recipe.salt % 7) / 7.0;
    switch (recipe.pattern) {
    case Pattern::Gradient:
        return {255 * u, 255 * v, 255 * (0.5 + 0.5 * std::sin(6.2832 * (hue + u * v)))};
    case Pattern::Rings: {
        const double dx = u - 0.5, dy = v - 0.5;
        const double d = std::sqrt(dx * dx + dy * dy);
        const double s = 0.5 + 0.5 * std::sin(d * 90.0 + hue * 6.2832);
        return {255 * s, 255 * (1 - s) * u, 255 * (0.3 + 0.7 * v)};
    }
    case Pattern::Plasma: {
        const double a = std::sin(u * 23.0 + hue * 5) + std::sin(v * 17.0) +
                         std::sin((u + v) * 31.0) + std::sin(std::sqrt(u * u * 900 + v * v * 400));
        return {127 + 32 * a, 127 + 32 * std::sin(a * 2.1), 127 + 32 * std::cos(a * 1.3 + hue)};
    }
    case Pattern::Checker: {
        const bool on = ((x / 16) + (y / 16)) % 2 == 0;
        return on ? Rgb{240 * u, 200.0, 60 + 180 * v} : Rgb{30.0, 60 + 150 * v, 220 * (1 - u)};
    }
    case Pattern::Stripes: {
        const double s = 0.5 + 0.5 * std::sin((x + 2 * y) * 0.35 + hue * 6.2832);
        return {255 * s, 255 * (1 - s), 128 + 100 * std::sin(v * 12.0)};
    }
    }
    return {0, 0, 0};
}

}  // namespace

RgbImage drawPattern(const PatternRecipe &recipe) {
    RgbImage image(recipe.width, recipe.height);
    Grain grain(recipe.salt);
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x) {
            const Rgb c = sample(recipe, x, y);
            const int n = grain.next(recipe.grain);
            image.set(x, y, clampByte(c.r + n), clampByte(c.g + n), clampByte(c.b + n));
        }
    }
    return image;
}

}  // namespace camsim
